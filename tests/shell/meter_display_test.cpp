#include "shell/meter_display.h"

#include <gtest/gtest.h>

#include "shell/form1_fixture.h"

namespace kerumo {
namespace {

using testing::Form1Test;

// From the libraries' answers through one tick to the meter's texts and bars.
TEST_F(Form1Test, ATickTurnsTheFiguresIntoTextsAndBarWidths) {
  startWith(testing::StandardSettings);
  const struct {
    uint8_t freeResources, cpu, freeMemory;
    std::optional<int16_t> temperature;
    const char *resText, *cpuText, *memText, *tempText;
  } cases[] = {
      {37, 0, 100, 0, "63", "0", "0", "0"},
      {100, 100, 0, -5, "0", "100", "100", "-5"},
      {0, 42, 58, std::nullopt, "100", "42", "42", "--"},
      {80, 25, 60, 255, "20", "25", "40", "255"},
  };
  for (const auto& c : cases) {
    figures.freeResources = c.freeResources;
    figures.cpuUsage = c.cpu;
    figures.memoryLoads = {c.freeMemory};
    figures.temperature = c.temperature;
    figures.second = 250;  // never shown anywhere
    ASSERT_TRUE(window().fireTimer(form1::Timer1));
    const auto caption = [&](const char* label) { return window().control(label).caption; };
    const auto width = [&](const char* shape) { return window().control(shape).width; };
    EXPECT_EQ(caption(form1::Label3), c.resText);
    EXPECT_EQ(caption(form1::Label16), c.cpuText);
    EXPECT_EQ(caption(form1::Label2), c.memText);
    EXPECT_EQ(caption(form1::Label5), c.tempText);
    EXPECT_EQ(width(form1::Shape5), std::stoi(c.resText) * 10);
    EXPECT_EQ(width(form1::Shape3), std::stoi(c.cpuText) * 10);
    EXPECT_EQ(width(form1::Shape1), std::stoi(c.memText) * 10);
    for (const char* track : {form1::Shape2, form1::Shape4, form1::Shape6}) EXPECT_EQ(width(track), 1005);
  }
  // A hidden window and a hidden read-out still follow the figures.
  form1().mnuCputmp_Click();
  form1().noApp_Click();
  figures.temperature = 51;
  ASSERT_TRUE(window().fireTimer(form1::Timer1));
  EXPECT_EQ(window().control(form1::Label5).caption, "51");
}

}  // namespace
}  // namespace kerumo
