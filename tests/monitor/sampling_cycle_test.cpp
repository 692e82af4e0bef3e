#include "monitor/sampling_cycle.h"

#include <gtest/gtest.h>

#include "shell/form1_fixture.h"

namespace kerumo {
namespace {

using testing::Form1Test;
using testing::StandardSettings;

class SamplingCycleTest : public Form1Test {
 protected:
  void tick() { window().events().onTimer("Timer1"); }
  std::string caption(const char* label) { return window().control(label).caption; }
  double width(const char* shape) { return window().control(shape).width; }
};

TEST_F(SamplingCycleTest, BeforeTheFirstTickTheDesignFiguresStand) {
  startWith(StandardSettings);
  for (const char* label : {"Label2", "Label3", "Label5", "Label16"}) EXPECT_EQ(caption(label), "100");
  for (const char* shape : {"Shape1", "Shape3", "Shape5"}) EXPECT_EQ(width(shape), 1005);
  EXPECT_TRUE(figures.calls.empty());
}

TEST_F(SamplingCycleTest, OneTickCallsTheLibrariesInOrder) {
  startWith("600\r\n900\r\n0\r\n1\r\n1\r\n10\r\n10\r\n");
  tick();
  EXPECT_EQ(figures.calls, (std::vector<std::string>{"GetResInfo", "GetCpuStart", "GetCpuUsage", "MemoryLoad",
                                                     "MemoryLoad", "OutputPort 661 39", "InputPort 662",
                                                     "MemoryLoad"}));
  figures.calls.clear();
  WarnEnabled = 0;
  tick();
  EXPECT_EQ(figures.calls.size(), 7u);  // no third MemoryLoad while warnings are off
}

TEST_F(SamplingCycleTest, FiguresBecomeTextsAndBarWidths) {
  startWith(StandardSettings);
  const struct {
    uint8_t freeResources, cpu, freeMemory;
    const char *resText, *cpuText, *memText;
    double resBar, cpuBar, memBar;
  } cases[] = {
      {37, 0, 100, "63", "0", "0", 630, 0, 0},
      {100, 100, 0, "0", "100", "100", 0, 1000, 1000},
      {0, 42, 58, "100", "42", "42", 1000, 420, 420},
  };
  for (const auto& c : cases) {
    figures.freeResources = c.freeResources;
    figures.cpuUsage = c.cpu;
    figures.memoryLoads = {c.freeMemory};
    figures.second = 250;  // never shown anywhere
    tick();
    EXPECT_EQ(caption("Label3"), c.resText);
    EXPECT_EQ(caption("Label16"), c.cpuText);
    EXPECT_EQ(caption("Label2"), c.memText);
    EXPECT_EQ(width("Shape5"), c.resBar);
    EXPECT_EQ(width("Shape3"), c.cpuBar);
    EXPECT_EQ(width("Shape1"), c.memBar);
    for (const char* track : {"Shape2", "Shape4", "Shape6"}) EXPECT_EQ(width(track), 1005);
  }
}

TEST_F(SamplingCycleTest, LabelAndBarOfMemoryAreSeparateReadings) {
  startWith(StandardSettings);
  figures.memoryLoads = {70, 40};
  tick();
  EXPECT_EQ(caption("Label2"), "30");
  EXPECT_EQ(width("Shape1"), 600);
}

TEST_F(SamplingCycleTest, TemperatureIsShownAsReadOrAsNoReading) {
  startWith(StandardSettings);
  const struct {
    std::optional<int16_t> reading;
    const char* text;
  } cases[] = {{0, "0"}, {255, "255"}, {-5, "-5"}, {45, "45"}, {std::nullopt, "--"}};
  for (const auto& c : cases) {
    figures.temperature = c.reading;
    tick();
    EXPECT_EQ(caption("Label5"), c.text);
  }
}

TEST_F(SamplingCycleTest, HiddenWindowAndHiddenReadOutStillUpdate) {
  startWith(StandardSettings);
  form1().mnuCputmp_Click();
  form1().noApp_Click();
  figures.temperature = 51;
  figures.cpuUsage = 77;
  tick();
  EXPECT_EQ(caption("Label5"), "51");
  EXPECT_EQ(caption("Label16"), "77");
}

TEST_F(SamplingCycleTest, LibrariesAreLoadedOnceAtTheFirstTick) {
  writeSettings(StandardSettings);
  int loads = 0;
  Form1 form(platform, settingsPath(), diagnostics, testing::scriptedLoader(figures, &loads));
  ASSERT_TRUE(form.Form_Load());
  EXPECT_EQ(loads, 0);
  for (int i = 0; i < 3; ++i) platform.form("Form1")->events().onTimer("Timer1");
  EXPECT_EQ(loads, 1);
}

}  // namespace
}  // namespace kerumo
