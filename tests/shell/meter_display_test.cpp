#include "shell/meter_display.h"

#include <gtest/gtest.h>

#include "shell/form1_fixture.h"

namespace kerumo {
namespace {

using testing::Form1Test;
using testing::StandardSettings;

class MeterDisplayTest : public Form1Test {
 protected:
  void SetUp() override {
    Form1Test::SetUp();
    startWith(StandardSettings);
  }
  void tick() { ASSERT_TRUE(window().fireTimer(form1::Timer1)); }
  std::string caption(const char* label) { return window().control(label).caption; }
  double width(const char* shape) { return window().control(shape).width; }
};

TEST_F(MeterDisplayTest, BeforeTheFirstTickTheDesignFiguresStand) {
  for (const char* label : {form1::Label2, form1::Label3, form1::Label5, form1::Label16}) EXPECT_EQ(caption(label), "100");
  for (const char* shape : {form1::Shape1, form1::Shape3, form1::Shape5}) EXPECT_EQ(width(shape), 1005);
  EXPECT_TRUE(figures.calls.empty());
}

TEST_F(MeterDisplayTest, FiguresBecomeTextsAndBarWidths) {
  MeterDisplay display(window());
  const struct {
    UsageFigures figures;
    const char *resText, *cpuText, *memText;
  } cases[] = {
      {{.memory = {0, 0}, .resources = {63, 630}, .cpu = {0, 0}}, "63", "0", "0"},
      {{.memory = {100, 1000}, .resources = {0, 0}, .cpu = {100, 1000}}, "0", "100", "100"},
      {{.memory = {30, 600}, .resources = {100, 1000}, .cpu = {42, 420}}, "100", "42", "30"},
  };
  for (const auto& c : cases) {
    display.showUsage(c.figures);
    EXPECT_EQ(caption(form1::Label3), c.resText);
    EXPECT_EQ(caption(form1::Label16), c.cpuText);
    EXPECT_EQ(caption(form1::Label2), c.memText);
    EXPECT_EQ(width(form1::Shape5), c.figures.resources.barWidth);
    EXPECT_EQ(width(form1::Shape3), c.figures.cpu.barWidth);
    EXPECT_EQ(width(form1::Shape1), c.figures.memory.barWidth);
    for (const char* track : {form1::Shape2, form1::Shape4, form1::Shape6}) EXPECT_EQ(width(track), 1005);
  }
}

TEST_F(MeterDisplayTest, TemperatureIsShownAsReadOrAsNoReading) {
  MeterDisplay display(window());
  const struct {
    std::optional<int16_t> reading;
    const char* text;
  } cases[] = {{0, "0"}, {255, "255"}, {-5, "-5"}, {45, "45"}, {std::nullopt, "--"}};
  for (const auto& c : cases) {
    display.showTemperature(c.reading);
    EXPECT_EQ(caption(form1::Label5), c.text);
  }
}

TEST_F(MeterDisplayTest, HiddenWindowAndHiddenReadOutStillUpdate) {
  form1().mnuCputmp_Click();
  form1().noApp_Click();
  figures.temperature = 51;
  figures.cpuUsage = 77;
  tick();
  EXPECT_EQ(caption(form1::Label5), "51");
  EXPECT_EQ(caption(form1::Label16), "77");
}

}  // namespace
}  // namespace kerumo
