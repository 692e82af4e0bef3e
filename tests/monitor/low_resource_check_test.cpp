#include "monitor/low_resource_check.h"

#include <gtest/gtest.h>

#include "tests/monitor/cycle_fixture.h"

namespace kerumo {
namespace {

class LowResourceCheckTest : public testing::CycleTest {
 protected:
  std::vector<std::string> prompts() {
    std::vector<std::string> result;
    for (const auto& box : platform.messageBoxes) result.push_back(box.prompt);
    return result;
  }
};

const std::string Memory = "警告\r物理メモリ残量\rいくつかのアプリケーションを終了させてください。";
const std::string Resources = "警告\rシステムリソース残量\rいくつかのアプリケーションを終了させてください。";

TEST_F(LowResourceCheckTest, WarnsStrictlyBelowEachThresholdOnceAndThenKeepsQuiet) {
  const struct {
    int16_t memThreshold;
    uint8_t freeMemory, freeResources;
    std::vector<std::string> boxes;
  } cases[] = {
      {10, 9, 50, {Memory}},
      {10, 10, 50, {}},
      {10, 50, 19, {Resources}},
      {10, 50, 20, {}},
      {10, 9, 19, {Memory, Resources}},  // both in one tick, memory first
      {1, 1, 50, {}},
      {1, 0, 50, {Memory}},
  };
  for (const auto& c : cases) {
    WarnEnabled = 1;
    MemThreshold = c.memThreshold;
    ResThreshold = 20;
    platform.messageBoxes.clear();
    figures.memoryLoads = {50, 50, c.freeMemory};  // label, bar, then the check's own reading
    figures.freeResources = c.freeResources;
    tick();
    EXPECT_EQ(prompts(), c.boxes) << int{c.freeMemory} << "/" << int{c.freeResources};
    EXPECT_EQ(WarnEnabled, c.boxes.empty() ? 1 : 0);
    figures.memoryLoads = {c.freeMemory};
    tick();
    tick();
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
    tick();
    EXPECT_EQ(std::count(figures.calls.begin(), figures.calls.end(), "MemoryLoad"), 2);
    EXPECT_TRUE(platform.messageBoxes.empty());
  }
}

TEST_F(LowResourceCheckTest, NoTickRunsWhileAWarningBoxIsOpen) {
  WarnEnabled = 1;
  figures.memoryLoads = {5};
  int nestedTicks = 0;
  platform.onMessageBox = [&](const FakeMessageBox&) {
    // The window system keeps running: timer events arrive meanwhile.
    ++nestedTicks;
    tick();
    tick();
    return MessageBoxOk;
  };
  tick();
  EXPECT_EQ(nestedTicks, 1);
  EXPECT_EQ(platform.messageBoxes.size(), 1u);
  WarnEnabled = 1;
  platform.onMessageBox = nullptr;
  tick();  // ticks go on after the box
  EXPECT_EQ(platform.messageBoxes.size(), 2u);
}

}  // namespace
}  // namespace kerumo
