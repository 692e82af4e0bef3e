#include "monitor/low_resource_check.h"

#include <gtest/gtest.h>

#include "tests/monitor/cycle_fixture.h"

namespace kerumo {
namespace {

using testing::CycleTest;

class LowResourceCheckTest : public CycleTest {
 protected:
  void SetUp() override {
    CycleTest::SetUp();
    WarnEnabled = 1;
    MemThreshold = 10;
    ResThreshold = 20;
  }
  std::vector<std::string> prompts() {
    std::vector<std::string> result;
    for (const auto& box : platform.messageBoxes) result.push_back(box.prompt);
    return result;
  }
};

TEST_F(LowResourceCheckTest, WarnsStrictlyBelowEachThreshold) {
  const struct {
    uint8_t freeMemory, freeResources;
    std::vector<std::string> boxes;
  } cases[] = {
      {9, 50, {MemoryWarningPrompt}},
      {10, 50, {}},
      {50, 19, {ResourceWarningPrompt}},
      {50, 20, {}},
      {9, 19, {MemoryWarningPrompt, ResourceWarningPrompt}},  // both in one tick, memory first
  };
  for (const auto& c : cases) {
    WarnEnabled = 1;
    platform.messageBoxes.clear();
    figures.memoryLoads = {50, 50, c.freeMemory};  // label, bar, then the check's own reading
    figures.freeResources = c.freeResources;
    tick();
    EXPECT_EQ(prompts(), c.boxes) << int{c.freeMemory} << "/" << int{c.freeResources};
    EXPECT_EQ(WarnEnabled, c.boxes.empty() ? 1 : 0);
  }
}

TEST_F(LowResourceCheckTest, BoxesCarryTheTitleAndCarriageReturns) {
  figures.memoryLoads = {5};
  figures.freeResources = 5;
  tick();
  ASSERT_EQ(platform.messageBoxes.size(), 2u);
  for (const auto& box : platform.messageBoxes) {
    EXPECT_EQ(box.title, "ケルモ警告");
    EXPECT_EQ(box.style, 0u);
    EXPECT_EQ(box.prompt.find('\n'), std::string::npos);
  }
  EXPECT_EQ(platform.messageBoxes[0].prompt, "警告\r物理メモリ残量\rいくつかのアプリケーションを終了させてください。");
  EXPECT_EQ(platform.messageBoxes[1].prompt,
            "警告\rシステムリソース残量\rいくつかのアプリケーションを終了させてください。");
}

TEST_F(LowResourceCheckTest, OneShortageWarnsOnceAndThenTheNextTicksAreQuiet) {
  figures.memoryLoads = {5};
  for (int i = 0; i < 3; ++i) tick();
  EXPECT_EQ(platform.messageBoxes.size(), 1u);
}

TEST_F(LowResourceCheckTest, PlentyFreeKeepsWarningsArmed) {
  figures.memoryLoads = {80};
  figures.freeResources = 80;
  for (int i = 0; i < 3; ++i) tick();
  EXPECT_TRUE(platform.messageBoxes.empty());
  EXPECT_EQ(WarnEnabled, 1);
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

TEST_F(LowResourceCheckTest, ThresholdOfOneWarnsOnlyAtZero) {
  MemThreshold = 1;
  figures.memoryLoads = {1};
  tick();
  EXPECT_TRUE(platform.messageBoxes.empty());
  figures.memoryLoads = {0};
  tick();
  EXPECT_EQ(platform.messageBoxes.size(), 1u);
}

TEST_F(LowResourceCheckTest, NoTickRunsWhileAWarningBoxIsOpen) {
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
