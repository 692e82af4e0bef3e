#include "monitor/sampling_cycle.h"

#include <gtest/gtest.h>

#include "tests/monitor/cycle_fixture.h"

namespace kerumo {
namespace {

using SamplingCycleTest = testing::CycleTest;

// The libraries are loaded at the first tick, and only then; the figures
// are shown before the temperature is read, and both before a warning.
TEST_F(SamplingCycleTest, OneTickReadsShowsAndWarnsInOrder) {
  EXPECT_EQ(loads, 0);
  WarnEnabled = 1;
  figures.memoryLoads = {50, 50, 5};
  display.log = &figures.calls;
  platform.onMessageBox = [&](const FakeMessageBox&) {
    figures.calls.push_back("messageBox");
    return MessageBoxOk;
  };
  tick();
  EXPECT_EQ(figures.calls, (std::vector<std::string>{"GetResInfo", "GetCpuStart", "GetCpuUsage", "MemoryLoad",
                                                     "MemoryLoad", "showUsage", "OutputPort 661 39",
                                                     "InputPort 662", "showTemperature", "MemoryLoad",
                                                     "messageBox"}));
  figures.calls.clear();
  tick();
  tick();
  EXPECT_EQ(figures.calls.size(), 2 * 9u);  // no third MemoryLoad once warnings are off
  EXPECT_EQ(loads, 1);
}

TEST_F(SamplingCycleTest, LabelAndBarOfMemoryAreSeparateReadings) {
  figures.memoryLoads = {70, 40};
  tick();
  EXPECT_EQ(display.usage.back().memory, (UsageFigure{30, 600}));
}

}  // namespace
}  // namespace kerumo
