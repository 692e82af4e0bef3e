#include "monitor/library_loading.h"

#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <sstream>

#include "fake_library.h"
#include "scripted_libraries.h"
#include "temp_dir.h"

namespace kerumo::testing {
namespace {

using SetFigures = void(uint8_t, uint8_t, uint8_t, uint8_t);

class LibraryLoading : public ::testing::Test {
 protected:
  // Built-in stand-ins whose answers cannot be mistaken for a fake's.
  ScriptedFigures builtIn{
      .freeResources = 91, .cpuUsage = 94, .memoryLoads = {95}, .temperature = 96, .calls = {}};
  ResourceInfoFactory standIn = [this] { return std::make_unique<ScriptedLibrary>(builtIn); };
  PortIoFactory standInPorts = [this] { return std::make_unique<ScriptedLibrary>(builtIn); };
  std::ostringstream diagnostics;
};

// Port values pass through unscaled.
TEST_F(LibraryLoading, DefaultNamesAreFoundAndAnswersPassThroughInTheOrderAskedWithPercentagesClamped) {
  const FakeLibrary resinfo("libresinfo.so");
  const FakeLibrary ports("libvbioport32.so");
  resinfo.script<SetFigures>("fake_script_figures", 64, 7, 200, 37);
  resinfo.script<void(uint8_t)>("fake_script_memory", 58);
  auto info = loadResourceInfo(diagnostics);
  auto io = loadPortIo(diagnostics);
  std::array<uint8_t, 3> figures{};
  info->GetResInfo(&figures[0], &figures[1], &figures[2]);
  info->GetCpuStart();
  EXPECT_EQ(info->GetCpuUsage(), 37);
  EXPECT_EQ(info->MemoryLoad(), 58);
  EXPECT_EQ(resinfo.calls(), "GetResInfo;GetCpuStart;GetCpuUsage;MemoryLoad;");
  EXPECT_EQ(figures, (std::array<uint8_t, 3>{64, 7, 200})) << "the unread values are nobody's business";
  for (const uint8_t answer : {uint8_t{100}, uint8_t{101}, uint8_t{255}}) {  // percentages above 100 are clamped
    resinfo.script<SetFigures>("fake_script_figures", answer, 0, 0, answer);
    resinfo.script<void(uint8_t)>("fake_script_memory", answer);
    info->GetResInfo(&figures[0], &figures[1], &figures[2]);
    EXPECT_EQ(figures[0], 100) << int{answer};
    EXPECT_EQ(info->GetCpuUsage(), 100) << int{answer};
    EXPECT_EQ(info->MemoryLoad(), 100) << int{answer};
  }
  io->OutputPort(0x295, 0x27);
  for (const int16_t answer : {int16_t{-5}, int16_t{0}, int16_t{47}, int16_t{300}}) {
    ports.script<void(int16_t)>("fake_script_input", answer);
    EXPECT_EQ(io->InputPort(0x296), answer);
  }
  EXPECT_EQ(ports.calls(), "OutputPort 661 39;InputPort 662;InputPort 662;InputPort 662;InputPort 662;");
  EXPECT_EQ(diagnostics.str(), "") << "a library that serves is the normal case";
}

// An absent library goes unsaid; a file that is there but no library is
// said once, with the system's own words between the brackets.
TEST_F(LibraryLoading, AMissingLibraryLeavesTheBuiltInSourcesSilentlyAndABrokenOneIsSaidOnce) {
  const TempDir dir;
  writeFile(dir / "libresinfo.so", "not a library");
  const std::string broken = (dir / "libresinfo.so").string();
  const struct {
    std::string library;
    std::string said;  // a regular expression
  } cases[] = {
      {"libkerumo-absent.so", ""},
      {(dir / "libkerumo-absent.so").string(), ""},
      {broken, "kerumo: " + broken + " を読み込めませんでした（[^\n（）]+）。計測値は /proc から取得します\n"
                                     "kerumo: " + broken + " を読み込めませんでした（[^\n（）]+）。CPU 温度はカーネルのセンサーから取得します\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.library);
    diagnostics.str("");
    auto info = loadResourceInfo(diagnostics, c.library, standIn);
    auto io = loadPortIo(diagnostics, c.library, standInPorts);
    EXPECT_EQ(info->GetCpuUsage(), 94);
    EXPECT_EQ(io->InputPort(0x296), 96);
    EXPECT_TRUE(std::regex_match(diagnostics.str(), std::regex(c.said))) << diagnostics.str();
  }
}

TEST_F(LibraryLoading, AFunctionTheLibraryLacksComesFromTheBuiltInSource) {
  // The test runner puts the full fakes on LD_LIBRARY_PATH; this one lacks MemoryLoad.
  const std::string path = KERUMO_FAKELIBS_PARTIAL_DIR "/libresinfo.so";
  std::unique_ptr<ResourceInfo> info;
  {
    const FakeLibrary fake(path);
    fake.script<SetFigures>("fake_script_figures", 64, 7, 8, 37);
    info = loadResourceInfo(diagnostics, path, standIn);
    EXPECT_EQ(info->MemoryLoad(), 95);
    EXPECT_EQ(info->GetCpuUsage(), 37);
    EXPECT_EQ(fake.calls(), "GetCpuUsage;");
  }
  EXPECT_EQ(info->GetCpuUsage(), 37) << "the adapter keeps the library loaded after the test lets go";
  EXPECT_EQ(diagnostics.str(), "kerumo: " + path + " に関数 MemoryLoad がありません。該当する値は /proc から取得します\n");
}

TEST_F(LibraryLoading, APortLibraryLackingOneFunctionIsNotUsedAtAll) {
  const std::string path = KERUMO_FAKELIBS_PARTIAL_DIR "/libvbioport32.so";  // lacks InputPort
  const FakeLibrary fake(path);
  auto io = loadPortIo(diagnostics, path, standInPorts);
  io->OutputPort(0x295, 0x27);
  EXPECT_EQ(io->InputPort(0x296), 96);
  EXPECT_EQ(fake.calls(), "") << "the selection must reach the chip that is read";
  EXPECT_EQ(builtIn.calls, (std::vector<std::string>{"OutputPort 661 39", "InputPort 662"}));
  EXPECT_EQ(diagnostics.str(), "kerumo: " + path +
                                   " に関数 InputPort がありません。このライブラリは使用せず、CPU 温度はカーネルのセンサーから取得します\n");
}

}  // namespace
}  // namespace kerumo::testing
