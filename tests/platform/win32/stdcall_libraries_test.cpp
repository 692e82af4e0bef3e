// The adapters with our own builds of the two libraries: stdcall functions,
// exported under their plain names as the classic libraries have them, or,
// on 32-bit Windows, under the names compilers decorate them with.
#include <gtest/gtest.h>

#include <sstream>

#include "monitor/library_loading.h"
#include "fake_library.h"
#include "win32_test_support.h"

namespace kerumo {
namespace {

class StdcallLibraries : public ::testing::TestWithParam<std::string> {};

TEST_P(StdcallLibraries, EveryFunctionIsFoundAndAnswersThroughTheAdapters) {
  const auto standIn = [&](const char* file) {
    return testing::hostPath(std::string(KERUMO_STAND_INS) + "/" + GetParam() + "/" + file).string();
  };
  const std::string resinfoPath = standIn("resinfo.dll");
  const std::string portsPath = standIn("vbioport32.dll");
  const testing::FakeLibrary resinfoLog(resinfoPath);
  const testing::FakeLibrary portsLog(portsPath);
  std::ostringstream diagnostics;
  auto info = loadResourceInfo(diagnostics, resinfoPath, [] { return std::unique_ptr<ResourceInfo>(); });
  auto ports = loadPortIo(diagnostics, portsPath, [] { return std::unique_ptr<PortIo>(); });
  EXPECT_EQ(diagnostics.str(), "kerumo: 計測値は " + resinfoPath + " から読み取ります\nkerumo: CPU 温度は " + portsPath +
                                   " で読み取ります\n");

  uint8_t first = 0, second = 0, third = 0;
  info->GetResInfo(&first, &second, &third);
  info->GetCpuStart();
  const uint8_t cpu = info->GetCpuUsage();
  const uint8_t memory = info->MemoryLoad();
  ports->OutputPort(0x295, 0x27);
  const std::optional<int16_t> temperature = ports->InputPort(0x296);

  EXPECT_EQ(resinfoLog.calls(), "GetResInfo;GetCpuStart;GetCpuUsage;MemoryLoad;");
  EXPECT_EQ(portsLog.calls(), "OutputPort 661 39;InputPort 662;");
  // The stand-ins' own figures, each distinct, so none can stand in for another.
  EXPECT_EQ((std::vector<int>{first, second, third, cpu, memory}), (std::vector<int>{63, 11, 22, 30, 40}));
  EXPECT_EQ(temperature, std::optional<int16_t>(52));
}

INSTANTIATE_TEST_SUITE_P(Exports, StdcallLibraries, ::testing::ValuesIn(testing::commaList(KERUMO_STAND_IN_VARIANTS)),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace kerumo
