#include "monitor/library_loading.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "fake_libraries.h"
#include "monitor/library_adapters.h"

namespace kerumo {
namespace {

using testing::FakeLibrary;
using testing::partialFake;

// A built-in stand-in whose answers cannot be mistaken for a fake's.
class StandIn : public ResourceInfo {
 public:
  void GetResInfo(uint8_t* first, uint8_t* second, uint8_t* third) override {
    *first = 91;
    *second = 92;
    *third = 93;
  }
  void GetCpuStart() override {}
  uint8_t GetCpuUsage() override { return 94; }
  uint8_t MemoryLoad() override { return 95; }
};

class StandInPorts : public PortIo {
 public:
  void OutputPort(int32_t, int32_t) override {}
  std::optional<int16_t> InputPort(int32_t) override { return 96; }
};

std::unique_ptr<ResourceInfo> standIn() { return std::make_unique<StandIn>(); }
std::unique_ptr<PortIo> standInPorts() { return std::make_unique<StandInPorts>(); }

using SetFigures = void(uint8_t, uint8_t, uint8_t, uint8_t);

// Port values pass through unscaled.
TEST(LibraryLoading, DefaultNamesAreFoundThroughTheLoadersSearchPath) {
  const FakeLibrary resinfo("libresinfo.so");
  const FakeLibrary ports("libvbioport32.so");
  std::ostringstream diagnostics;
  auto info = loadResourceInfo(diagnostics);
  auto io = loadPortIo(diagnostics);
  info->GetCpuStart();
  io->OutputPort(0x295, 0x27);
  for (const int16_t answer : {int16_t{-5}, int16_t{0}, int16_t{47}, int16_t{300}}) {
    ports.script<void(int16_t)>("fake_script_input", answer);
    EXPECT_EQ(io->InputPort(0x296), answer);
  }
  EXPECT_EQ(resinfo.calls(), "GetCpuStart;");
  EXPECT_EQ(ports.calls(), "OutputPort 661 39;InputPort 662;InputPort 662;InputPort 662;InputPort 662;");
  EXPECT_EQ(diagnostics.str(),
            "kerumo: 計測値は libresinfo.so から読み取ります\n"
            "kerumo: CPU 温度は libvbioport32.so で読み取ります\n");
}

TEST(LibraryLoading, FiguresPassThroughInTheOrderAskedAndPercentagesAreClamped) {
  const FakeLibrary fake("libresinfo.so");
  fake.script<SetFigures>("fake_script_figures", 64, 7, 200, 37);
  fake.script<void(uint8_t)>("fake_script_memory", 58);
  std::ostringstream diagnostics;
  auto info = loadResourceInfo(diagnostics, "libresinfo.so", standIn);
  uint8_t first = 0, second = 0, third = 0;
  info->GetResInfo(&first, &second, &third);
  info->GetCpuStart();
  const uint8_t cpu = info->GetCpuUsage();
  const uint8_t memory = info->MemoryLoad();
  EXPECT_EQ(fake.calls(), "GetResInfo;GetCpuStart;GetCpuUsage;MemoryLoad;");
  EXPECT_EQ(first, 64);
  EXPECT_EQ(second, 7);
  EXPECT_EQ(third, 200) << "the unread values are nobody's business";
  EXPECT_EQ(cpu, 37);
  EXPECT_EQ(memory, 58);
  for (const uint8_t answer : {uint8_t{100}, uint8_t{101}, uint8_t{255}}) {  // percentages above 100 are clamped
    fake.script<SetFigures>("fake_script_figures", answer, 0, 0, answer);
    fake.script<void(uint8_t)>("fake_script_memory", answer);
    info->GetResInfo(&first, &second, &third);
    EXPECT_EQ(first, 100) << int{answer};
    EXPECT_EQ(info->GetCpuUsage(), 100) << int{answer};
    EXPECT_EQ(info->MemoryLoad(), 100) << int{answer};
  }
}

TEST(LibraryLoading, AMissingLibraryLeavesTheBuiltInSourcesAndSaysSoOnce) {
  std::ostringstream diagnostics;
  auto info = loadResourceInfo(diagnostics, "libkerumo-absent.so", standIn);
  auto io = loadPortIo(diagnostics, "libkerumo-absent.so", standInPorts);
  EXPECT_EQ(info->GetCpuUsage(), 94);
  EXPECT_EQ(io->InputPort(0x296), 96);
  // Between the brackets: the system's own words, in the system's language.
  const std::regex said("kerumo: libkerumo-absent\\.so を読み込めません（[^\n]+）。/proc から計測します\n"
                        "kerumo: libkerumo-absent\\.so を読み込めません（[^\n]+）。カーネルのセンサーから温度を読み取ります\n");
  EXPECT_TRUE(std::regex_match(diagnostics.str(), said)) << diagnostics.str();
}

TEST(LibraryLoading, AFunctionTheLibraryLacksComesFromTheBuiltInSource) {
  const std::string path = partialFake("libresinfo.so");
  const FakeLibrary fake(path);
  fake.script<SetFigures>("fake_script_figures", 64, 7, 8, 37);
  std::ostringstream diagnostics;
  auto info = loadResourceInfo(diagnostics, path, standIn);
  EXPECT_EQ(info->MemoryLoad(), 95);
  EXPECT_EQ(info->GetCpuUsage(), 37);
  EXPECT_EQ(fake.calls(), "GetCpuUsage;");
  EXPECT_EQ(diagnostics.str(), "kerumo: " + path + " に MemoryLoad がありません。その分は /proc から計測します\n");
}

TEST(LibraryLoading, APortLibraryLackingOneFunctionIsNotUsedAtAll) {
  const std::string path = partialFake("libvbioport32.so");
  const FakeLibrary fake(path);
  std::ostringstream diagnostics;
  auto io = loadPortIo(diagnostics, path, standInPorts);
  io->OutputPort(0x295, 0x27);
  EXPECT_EQ(io->InputPort(0x296), 96);
  EXPECT_EQ(fake.calls(), "") << "the selection must reach the chip that is read";
  EXPECT_EQ(diagnostics.str(), "kerumo: " + path +
                                   " に InputPort がありません。このライブラリは使わず、カーネルのセンサーから温度を読み取ります\n");
}

TEST(LibraryLoading, TheAdapterKeepsTheLibraryLoadedAfterTheTestLetsGo) {
  std::ostringstream diagnostics;
  std::unique_ptr<ResourceInfo> info;
  {
    const FakeLibrary fake("libresinfo.so");
    fake.script<void(uint8_t)>("fake_script_memory", 33);
    info = loadResourceInfo(diagnostics, "libresinfo.so", standIn);
  }
  EXPECT_EQ(info->MemoryLoad(), 33);
}

}  // namespace
}  // namespace kerumo
