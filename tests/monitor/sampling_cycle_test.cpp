#include "monitor/sampling_cycle.h"

#include <gtest/gtest.h>

#include "tests/monitor/cycle_fixture.h"

namespace kerumo {
namespace {

using testing::CycleTest;

class SamplingCycleTest : public CycleTest {
 protected:
  const UsageFigures& shown() { return display.usage.back(); }
};

TEST_F(SamplingCycleTest, OneTickCallsTheLibrariesInOrder) {
  WarnEnabled = 1;
  tick();
  EXPECT_EQ(figures.calls, (std::vector<std::string>{"GetResInfo", "GetCpuStart", "GetCpuUsage", "MemoryLoad",
                                                     "MemoryLoad", "OutputPort 661 39", "InputPort 662",
                                                     "MemoryLoad"}));
  figures.calls.clear();
  WarnEnabled = 0;
  tick();
  EXPECT_EQ(figures.calls.size(), 7u);  // no third MemoryLoad while warnings are off
}

TEST_F(SamplingCycleTest, FiguresAreShownBeforeTheTemperatureIsReadAndBothBeforeAWarning) {
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
}

TEST_F(SamplingCycleTest, FiguresBecomeUsageAndBarWidths) {
  const struct {
    uint8_t freeResources, cpu, freeMemory;
    int16_t res, cpuShown, mem;
    double resBar, cpuBar, memBar;
  } cases[] = {
      {37, 0, 100, 63, 0, 0, 630, 0, 0},
      {100, 100, 0, 0, 100, 100, 0, 1000, 1000},
      {0, 42, 58, 100, 42, 42, 1000, 420, 420},
  };
  for (const auto& c : cases) {
    figures.freeResources = c.freeResources;
    figures.cpuUsage = c.cpu;
    figures.memoryLoads = {c.freeMemory};
    figures.second = 250;  // never shown anywhere
    tick();
    EXPECT_EQ(shown().resources, (UsageFigure{c.res, c.resBar}));
    EXPECT_EQ(shown().cpu, (UsageFigure{c.cpuShown, c.cpuBar}));
    EXPECT_EQ(shown().memory, (UsageFigure{c.mem, c.memBar}));
  }
}

TEST_F(SamplingCycleTest, LabelAndBarOfMemoryAreSeparateReadings) {
  figures.memoryLoads = {70, 40};
  tick();
  EXPECT_EQ(shown().memory, (UsageFigure{30, 600}));
}

TEST_F(SamplingCycleTest, TemperatureIsShownAsReadOrAsNoReading) {
  const std::optional<int16_t> readings[] = {0, 255, -5, 45, std::nullopt};
  for (const auto& reading : readings) {
    figures.temperature = reading;
    tick();
    EXPECT_EQ(display.temperatures.back(), reading);
  }
}

TEST_F(SamplingCycleTest, LibrariesAreLoadedOnceAtTheFirstTick) {
  EXPECT_EQ(loads, 0);
  for (int i = 0; i < 3; ++i) tick();
  EXPECT_EQ(loads, 1);
}

}  // namespace
}  // namespace kerumo
