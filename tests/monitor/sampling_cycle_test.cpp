#include "monitor/sampling_cycle.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "monitor/warning_settings.h"
#include "platform/fake/fake_platform.h"
#include "tests/scripted_libraries.h"

namespace kerumo {
namespace {

// Notes each call beside the libraries' calls and keeps the last figures shown.
class RecordingDisplay : public FiguresDisplay {
 public:
  explicit RecordingDisplay(std::vector<std::string>& log) : log_(log) {}
  void showUsage(const UsageFigures& figures) override {
    usage = figures;
    log_.push_back("showUsage");
  }
  void showTemperature(std::optional<int16_t>) override { log_.push_back("showTemperature"); }

  UsageFigures usage;

 private:
  std::vector<std::string>& log_;
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
  testing::ScriptedFigures figures;
  RecordingDisplay display{figures.calls};
  int loads = 0;
  SamplingCycle cycle{platform, display, testing::scriptedLoader(figures, &loads)};
};
using LowResourceCheckTest = SamplingCycleTest;

// The libraries are loaded at the first tick, and only then; the figures
// are shown before the temperature is read, and both before a warning. The
// label and the bar of memory are separate readings.
TEST_F(SamplingCycleTest, OneTickReadsShowsAndWarnsInOrder) {
  EXPECT_EQ(loads, 0);
  figures.memoryLoads = {70, 40, 5};
  platform.onMessageBox = [&](const FakeMessageBox&) {
    figures.calls.push_back("messageBox");
    return MessageBoxOk;
  };
  cycle.tick();
  EXPECT_EQ(figures.calls, (std::vector<std::string>{"GetResInfo", "GetCpuStart", "GetCpuUsage", "MemoryLoad",
                                                     "MemoryLoad", "showUsage", "OutputPort 661 39",
                                                     "InputPort 662", "showTemperature", "MemoryLoad",
                                                     "messageBox"}));
  EXPECT_EQ(display.usage, (UsageFigures{{30, 600}, {20, 200}, {25, 250}}));
  figures.calls.clear();
  cycle.tick();
  cycle.tick();
  EXPECT_EQ(figures.calls.size(), 2 * 9u);  // no third MemoryLoad once warnings are off
  EXPECT_EQ(loads, 1);
}

TEST_F(LowResourceCheckTest, WarnsStrictlyBelowEachThresholdOnceAndThenKeepsQuiet) {
  const std::string memory = "警告\r物理メモリ残量\rいくつかのアプリケーションを終了させてください。";
  const std::string resources = "警告\rシステムリソース残量\rいくつかのアプリケーションを終了させてください。";
  const struct {
    int16_t memThreshold;
    uint8_t freeMemory, freeResources;
    std::vector<std::string> boxes;
  } cases[] = {
      {10, 9, 50, {memory}},
      {10, 10, 50, {}},
      {10, 50, 19, {resources}},
      {10, 50, 20, {}},
      {10, 9, 19, {memory, resources}},  // both in one tick, memory first
      {1, 1, 50, {}},
      {1, 0, 50, {memory}},
  };
  for (const auto& c : cases) {
    WarnEnabled = 1;
    MemThreshold = c.memThreshold;
    platform.messageBoxes.clear();
    figures.memoryLoads = {50, 50, c.freeMemory};  // label, bar, then the check's own reading
    figures.freeResources = c.freeResources;
    cycle.tick();
    EXPECT_EQ(prompts(), c.boxes) << int{c.freeMemory} << "/" << int{c.freeResources};
    EXPECT_EQ(WarnEnabled, c.boxes.empty() ? 1 : 0);
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

TEST_F(LowResourceCheckTest, AnyValueButOneMeansOffAndNoReading) {
  for (const int16_t off : {int16_t{0}, int16_t{2}, int16_t{-1}}) {
    WarnEnabled = off;
    figures.memoryLoads = {0};
    figures.freeResources = 0;
    figures.calls.clear();
    cycle.tick();
    EXPECT_EQ(std::count(figures.calls.begin(), figures.calls.end(), "MemoryLoad"), 2);
    EXPECT_TRUE(platform.messageBoxes.empty());
  }
}

TEST_F(LowResourceCheckTest, NoTickRunsWhileAWarningBoxIsOpen) {
  figures.memoryLoads = {5};
  int nestedTicks = 0;
  platform.onMessageBox = [&](const FakeMessageBox&) {
    // The window system keeps running: timer events arrive meanwhile.
    ++nestedTicks;
    cycle.tick();
    cycle.tick();
    return MessageBoxOk;
  };
  cycle.tick();
  EXPECT_EQ(nestedTicks, 1);
  EXPECT_EQ(platform.messageBoxes.size(), 1u);
  WarnEnabled = 1;
  platform.onMessageBox = nullptr;
  cycle.tick();  // ticks go on after the box
  EXPECT_EQ(platform.messageBoxes.size(), 2u);
}

}  // namespace
}  // namespace kerumo
