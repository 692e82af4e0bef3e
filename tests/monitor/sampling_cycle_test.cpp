#include "monitor/sampling_cycle.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "monitor/warning_settings.h"
#include "platform/fake/fake_platform.h"
#include "tests/scripted_libraries.h"

namespace kerumo::testing {
namespace {

// Notes each call beside the libraries' calls and keeps the last figures shown.
struct RecordingDisplay : FiguresDisplay {
  explicit RecordingDisplay(std::vector<std::string>& log) : log(log) {}
  void showUsage(const UsageFigures& figures) override {
    usage = figures;
    log.push_back("showUsage");
  }
  void showTemperature(std::optional<int16_t>) override { log.push_back("showTemperature"); }

  std::vector<std::string>& log;
  UsageFigures usage;
};

// The sampling cycle alone, with scripted libraries, a recording display and
// the fake platform for its warning boxes.
class SamplingCycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WarnEnabled = 1;
    MemThreshold = 10;
    ResThreshold = 20;
  }
  std::vector<std::string> prompts() const {
    std::vector<std::string> result;
    for (const auto& box : platform.messageBoxes) result.push_back(box.prompt);
    return result;
  }

  FakePlatform platform;
  ScriptedFigures figures;
  RecordingDisplay display{figures.calls};
  int loads = 0;
  SamplingCycle cycle{platform, display, scriptedLoader(figures, &loads)};
};
using LowResourceCheckTest = SamplingCycleTest;

// The libraries are loaded at the first tick, and only then; the figures
// are shown before the temperature is read, and both before a warning. The
// label and the bar of memory are separate readings.
TEST_F(SamplingCycleTest, OneTickReadsShowsAndWarnsInOrderAndNoneRunsWhileTheBoxIsOpen) {
  EXPECT_EQ(loads, 0);
  figures.memoryLoads = {70, 40, 5};
  platform.onMessageBox = [&](const FakeMessageBox&) {
    figures.calls.push_back("messageBox");
    // The window system keeps running: timer events arrive meanwhile.
    cycle.tick();
    return MessageBoxOk;
  };
  cycle.tick();
  EXPECT_EQ(figures.calls, (std::vector<std::string>{"GetResInfo", "GetCpuStart", "GetCpuUsage", "MemoryLoad",
                                                     "MemoryLoad", "showUsage", "OutputPort 661 39",
                                                     "InputPort 662", "showTemperature", "MemoryLoad",
                                                     "messageBox"}));
  EXPECT_EQ(display.usage, (UsageFigures{{30, 600}, {20, 200}, {25, 250}}));
  figures.calls.clear();
  cycle.tick();  // ticks go on after the box
  cycle.tick();
  EXPECT_EQ(figures.calls.size(), 2 * 9u);  // no third MemoryLoad once warnings are off
  EXPECT_EQ(platform.messageBoxes.size(), 1u);
  EXPECT_EQ(loads, 1);
}

TEST_F(LowResourceCheckTest, WarnsWhenArmedStrictlyBelowEachThresholdOnceAndThenKeepsQuiet) {
  const std::string memory = "警告\r物理メモリ残量\rいくつかのアプリケーションを終了させてください。";
  const std::string resources = "警告\rシステムリソース残量\rいくつかのアプリケーションを終了させてください。";
  const struct {
    int16_t warnEnabled, memThreshold;
    uint8_t freeMemory, freeResources;
    std::vector<std::string> boxes;
  } cases[] = {
      {1, 10, 9, 50, {memory}},
      {1, 10, 10, 50, {}},
      {1, 10, 50, 19, {resources}},
      {1, 10, 50, 20, {}},
      {1, 10, 9, 19, {memory, resources}},  // both in one tick, memory first
      {1, 1, 1, 50, {}},
      {1, 1, 0, 50, {memory}},
      {0, 10, 0, 0, {}},  // any value but one means off, and no reading
      {2, 10, 0, 0, {}},
      {-1, 10, 0, 0, {}},
  };
  for (const auto& c : cases) {
    WarnEnabled = c.warnEnabled;
    MemThreshold = c.memThreshold;
    platform.messageBoxes.clear();
    figures.calls.clear();
    figures.memoryLoads = {50, 50, c.freeMemory};  // label, bar, then the check's own reading
    figures.freeResources = c.freeResources;
    cycle.tick();
    EXPECT_EQ(prompts(), c.boxes) << c.warnEnabled << " " << int{c.freeMemory} << "/" << int{c.freeResources};
    EXPECT_EQ(WarnEnabled, c.boxes.empty() ? c.warnEnabled : 0);
    EXPECT_EQ(std::ranges::count(figures.calls, "MemoryLoad"), c.warnEnabled == 1 ? 3 : 2);
    figures.memoryLoads = {c.freeMemory};
    cycle.tick();
    cycle.tick();
    EXPECT_EQ(prompts(), c.boxes);
    for (const auto& box : platform.messageBoxes) {
      EXPECT_EQ(box.title, "ケルモ警告");
      EXPECT_EQ(box.style, 0u);
    }
  }
}

}  // namespace
}  // namespace kerumo::testing
