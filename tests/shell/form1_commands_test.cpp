#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "shell/form1_fixture.h"

namespace kerumo::testing {
namespace {

// Through the menu, as the user gives them.
TEST_F(Form1Test, EveryMenuCommandArrivesAndTheTwoSwitchesReturnAfterTwo) {
  startWith(StandardSettings);
  const auto command = [&](const char* item) { window().events().onMenuCommand(item); };
  command(form1::noApp);
  command(form1::frmTop);  // while hidden: shows the window too
  EXPECT_TRUE(window().isVisible());
  EXPECT_FALSE(window().topmost());
  EXPECT_FALSE(window().menuItemChecked(form1::frmTop));
  command(form1::frmTop);
  EXPECT_TRUE(window().topmost());
  EXPECT_TRUE(window().menuItemChecked(form1::frmTop));
  EXPECT_EQ(form1().topmostToggle(), 0);
  command(form1::mnuCputmp);
  EXPECT_EQ(form1().tempShown(), 0);
  EXPECT_FALSE(window().control(form1::Label5).visible);
  EXPECT_TRUE(window().control(form1::Label2).visible);  // the usage row stays
  command(form1::mnuCputmp);  // what it shows is the start's own step
  EXPECT_EQ(form1().tempShown(), 1);
  command(form1::noApp);
  EXPECT_FALSE(window().isVisible());
  command(form1::mnuAbout);
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(callsDuring([&] { command(form1::mnuKeikoku); }).at(0), "Form1.setTimerEnabled Timer1 0");
  command(form1::mnuEnd);
  EXPECT_EQ(platform.quitCode, 0);
  EXPECT_TRUE(std::filesystem::exists(settingsPath()));
}

// What the meter, hidden, does with one tray callback sent at the given
// scale: show itself, pop the menu up, or nothing.
enum class Outcome { Nothing, Shows, PopsUp };

Outcome outcomeOf(Form1Session& session, double twipsPerPixel, const std::function<void()>& send) {
  session.form1().noApp_Click();
  session.platform.twipsPerPixel = twipsPerPixel;
  const auto calls = session.callsDuring(send);
  if (calls == std::vector<std::string>{"Form1.setForeground", "processPendingEvents", "Form1.popupMenu"}) {
    return Outcome::PopsUp;
  }
  if (calls == std::vector<std::string>{"Form1.setMenuVisible 0", "Form1.setVisible 1"}) return Outcome::Shows;
  EXPECT_TRUE(calls.empty());
  return Outcome::Nothing;
}

TEST_F(Form1Test, TrayCallbackDecodesTheMouseMessageFromX) {
  startWith(StandardSettings);
  const struct {
    double x;
    double twipsPerPixel;
    Outcome outcome;
  } cases[] = {
      {0x201 * 15.0 + 14, 15, Outcome::Shows},     // truncating division
      {0x201 * 15.0 - 1, 15, Outcome::Nothing},    // 0x200
      {0x201 * 12.0 + 0.4, 12, Outcome::Shows},    // X rounds first
      {0x201 * 15.0, 15.4, Outcome::Shows},        // twips per pixel rounds to 15 first
      {0x204 * 8.0 - 0.5, 7.5, Outcome::PopsUp},   // 7.5 rounds to 8, X half to even
      {0x204 * 8.0 - 1.5, 7.5, Outcome::Nothing},  // 0x203
      {-1e300, 15, Outcome::Nothing},              // beyond 32 bits: found by fuzzing
      {0x201 * 15.0, 1e300, Outcome::Nothing},
  };
  for (const auto& c : cases) {
    const auto post = [&] { window().events().onMouseMove("", 0, 0, c.x, 0, MoveOrigin::Posted); };
    EXPECT_EQ(outcomeOf(*this, c.twipsPerPixel, post), c.outcome) << c.x;
  }
}

// Every scale from 100 % to 500 %, the fractional ones included: 7.5 twips
// per pixel at 192 DPI once turned a right click into 483.
TEST_F(Form1Test, TrayCallbackIsExactAtEveryScale) {
  startWith(StandardSettings);
  const std::pair<int32_t, Outcome> messages[] = {
      {0x200, Outcome::Nothing}, {0x201, Outcome::Shows},   {0x202, Outcome::Nothing}, {0x203, Outcome::Nothing},
      {0x204, Outcome::PopsUp},  {0x205, Outcome::Nothing}, {0x206, Outcome::Nothing},
  };
  for (const int dpi : {96, 120, 144, 168, 192, 216, 240, 288, 336, 384, 432, 480}) {
    for (int step = 0; step <= (dpi == 480 ? 0 : 23); ++step) {  // 1/24 steps up to the next scale
      const double scaled = dpi + step;
      for (const auto& [message, outcome] : messages) {
        const auto send = [&, m = message] { platform.sendTrayCallback(m); };
        EXPECT_EQ(outcomeOf(*this, 1440.0 / scaled, send), outcome) << scaled << " DPI, message " << message;
      }
    }
  }
}

// The window is 605 pixels wide at 250 % and 726 at 300 %: the pointer
// passes 513 (0x201) and 516 (0x204) there.
TEST_F(Form1Test, PointerMovesNeverActAsTrayCallbacks) {
  startWith(StandardSettings);
  for (const int dpi : {96, 144, 192, 240, 288, 480}) {
    platform.twipsPerPixel = 1440.0 / dpi;
    const double tpp = platform.twipsPerPixel;
    for (int pixel = 0; pixel < 242 * dpi / 96; ++pixel) {
      const size_t from = platform.calls.size();
      window().events().onMouseMove("", 0, 0, pixel * tpp, 40 * tpp, MoveOrigin::Pointer);
      window().events().onMouseMove("", 0, 0, 0x204 * std::round(tpp), 0, MoveOrigin::Pointer);
      ASSERT_TRUE(platform.callsSince(from).empty()) << dpi << " DPI, x " << pixel;
    }
  }
}

TEST_F(Form1Test, LeftPressOnTheSurfaceMovesAndOtherButtonsPopTheMenuUp) {
  startWith(StandardSettings);
  const struct {
    const char* control;
    int button;
    std::vector<std::string> calls;
  } cases[] = {
      {"", MouseButton::Left, {"Form1.beginSystemMove"}},
      {"", MouseButton::Right, {"Form1.popupMenu"}},
      {"", MouseButton::Middle, {"Form1.popupMenu"}},
      {form1::Label2, MouseButton::Left, {}},
      {form1::Label13, MouseButton::Right, {}},
      {form1::Image5, MouseButton::Left, {}},
  };
  for (const auto& c : cases) {
    const auto press = [&] { window().events().onMouseDown(c.control, c.button, 0, 300, 300); };
    EXPECT_EQ(callsDuring(press), c.calls) << c.control << c.button;
  }
}

// Hidden by a double click on the surface or the logo, with everything else
// kept; back with current figures from the tray or a second start.
TEST_F(Form1Test, DoubleClickHidesAndTheTrayOrASecondStartBringsItBack) {
  startWith(StandardSettings);
  const struct {
    const char* control;
    bool fromTheTray;
    uint8_t cpu;
  } cases[] = {{"", true, 42}, {form1::Image5, false, 43}};
  for (const auto& c : cases) {
    window().events().onDoubleClick(form1::Label2);
    EXPECT_TRUE(window().isVisible());
    window().events().onDoubleClick(c.control);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(platform.trayIcons.size(), 1u);
    EXPECT_TRUE(window().control(form1::Timer1).timerEnabled);
    EXPECT_EQ(form1().topmostToggle(), 0);
    EXPECT_EQ(form1().tempShown(), 1);
    figures.cpuUsage = c.cpu;
    window().events().onTimer(form1::Timer1);
    if (c.fromTheTray) {
      platform.sendTrayCallback(0x201);
    } else {
      form1().onActivationRequest();
    }
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().control(form1::Label16).caption, std::to_string(c.cpu));
    EXPECT_EQ(window().left(), 900);
    EXPECT_EQ(window().top(), 600);
  }
}

// From the libraries' answers through one tick to the meter's texts and bars.
TEST_F(Form1Test, ATickTurnsTheFiguresIntoTextsAndBarWidths) {
  startWith(StandardSettings);
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
    // A screen reader hears each figure with its meaning and unit.
    EXPECT_EQ(window().figure(form1::ResourcesFigure).name, std::string("システムリソース使用率 ") + c.resText + "%");
    EXPECT_EQ(window().figure(form1::CpuFigure).name, std::string("CPU使用率 ") + c.cpuText + "%");
    EXPECT_EQ(window().figure(form1::MemoryFigure).name, std::string("メモリ使用率 ") + c.memText + "%");
    const FigureReading& temperature = window().figure(form1::TemperatureFigure);
    EXPECT_EQ(temperature.name, c.temperature ? std::string("CPU温度 ") + c.tempText + "℃" : "CPU温度 計測できません");
    EXPECT_EQ(temperature.value, c.temperature ? std::string(c.tempText) + "℃" : "計測できません");
    EXPECT_EQ(temperature.number, c.temperature);
  }
  // A hidden read-out still follows the figures.
  form1().mnuCputmp_Click();
  figures.temperature = 51;
  ASSERT_TRUE(window().fireTimer(form1::Timer1));
  EXPECT_EQ(window().control(form1::Label5).caption, "51");
}

// A figure is told to a screen reader when it reads differently, never on
// a tick that changes nothing, and never while the meter is hidden: what
// changed meanwhile is told once when it shows again.
TEST_F(Form1Test, AScreenReaderHearsOfAFigureOnlyWhenItChangesInView) {
  startWith(StandardSettings);
  const auto told = [&](const std::function<void()>& act) {
    std::vector<std::string> figureCalls;
    for (const auto& call : callsDuring(act))
      if (call.find(".setFigure ") != std::string::npos) figureCalls.push_back(call);
    return figureCalls;
  };
  const auto tick = [&] { ASSERT_TRUE(window().fireTimer(form1::Timer1)); };
  EXPECT_EQ(window().figure(form1::CpuFigure).name, "CPU使用率 100%");
  EXPECT_EQ(window().figure(form1::TemperatureFigure).number, 100);
  figures.temperature = 51;
  EXPECT_EQ(told(tick).size(), 4u);
  EXPECT_EQ(window().figure(form1::TemperatureFigure), (FigureReading{"CPU温度 51℃", "51℃", 51}));
  EXPECT_TRUE(told(tick).empty());
  figures.cpuUsage = 42;
  EXPECT_EQ(told(tick), std::vector<std::string>{"Form1.setFigure CpuFigure CPU使用率 42%"});

  form1().noApp_Click();
  figures.cpuUsage = 44;
  const auto twoTicks = [&] {
    tick();
    tick();
  };
  EXPECT_TRUE(told(twoTicks).empty());
  EXPECT_EQ(window().control(form1::Label16).caption, "44");
  EXPECT_EQ(told([&] { form1().mnuAbout_Click(); }),
            std::vector<std::string>{"Form1.setFigure CpuFigure CPU使用率 44%"});
}

}  // namespace
}  // namespace kerumo::testing
