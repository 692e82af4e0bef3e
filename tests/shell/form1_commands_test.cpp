#include <gtest/gtest.h>

#include <cmath>

#include "shell/form1_fixture.h"

namespace kerumo {
namespace {

using testing::Form1Test;
using testing::StandardSettings;

// Through the menu, as the user gives them.
TEST_F(Form1Test, TheTwoSwitchesReturnToTheStartAfterTwoCommands) {
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
  const size_t from = platform.calls.size();
  command(form1::mnuCputmp);
  EXPECT_EQ(platform.callsSince(from), (std::vector<std::string>{
                                           "Form1.setMenuItemChecked mnuCputmp 1",
                                           "Form1.setControlVisible Label1 1",
                                           "Form1.setControlVisible Label5 1",
                                           "Form1.setControlVisible Label20 1",
                                       }));
  EXPECT_EQ(form1().tempShown(), 1);
}

// What the meter does with one tray callback: show itself, pop the menu up,
// or nothing.
enum class Outcome { Nothing, Shows, PopsUp };

Outcome outcomeSince(FakePlatform& platform, size_t from) {
  const auto calls = platform.callsSince(from);
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
  };
  for (const auto& c : cases) {
    form1().noApp_Click();
    platform.twipsPerPixel = c.twipsPerPixel;
    const size_t from = platform.calls.size();
    window().events().onMouseMove("", 0, 0, c.x, 0, MoveOrigin::Posted);
    SCOPED_TRACE(c.x);
    EXPECT_EQ(outcomeSince(platform, from), c.outcome);
    EXPECT_EQ(window().isVisible(), c.outcome == Outcome::Shows);
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
        form1().noApp_Click();
        platform.twipsPerPixel = 1440.0 / scaled;
        const size_t from = platform.calls.size();
        platform.sendTrayCallback(message);
        SCOPED_TRACE(::testing::Message() << scaled << " DPI, message " << message);
        EXPECT_EQ(outcomeSince(platform, from), outcome);
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

TEST_F(Form1Test, MenuCommandsRunThroughTheMenu) {
  startWith(StandardSettings);
  window().events().onMenuCommand(form1::noApp);
  EXPECT_FALSE(window().isVisible());
  window().events().onMenuCommand(form1::mnuAbout);
  EXPECT_TRUE(window().isVisible());
  const size_t from = platform.calls.size();
  window().events().onMenuCommand(form1::mnuKeikoku);
  const auto calls = platform.callsSince(from);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front(), "Form1.setTimerEnabled Timer1 0");
  window().events().onMenuCommand(form1::mnuEnd);
  EXPECT_EQ(platform.quitCode, 0);
  EXPECT_TRUE(std::filesystem::exists(settingsPath()));
}

TEST_F(Form1Test, LeftPressOnTheSurfaceMovesAndOtherButtonsPopTheMenuUp) {
  startWith(StandardSettings);
  const struct {
    const char* control;
    int button;
    const char* call;
  } cases[] = {
      {"", MouseButton::Left, "Form1.beginSystemMove"},
      {"", MouseButton::Right, "Form1.popupMenu"},
      {"", MouseButton::Middle, "Form1.popupMenu"},
      {form1::Label2, MouseButton::Left, nullptr},
      {form1::Label13, MouseButton::Right, nullptr},
      {form1::Image5, MouseButton::Left, nullptr},
  };
  for (const auto& c : cases) {
    const size_t from = platform.calls.size();
    window().events().onMouseDown(c.control, c.button, 0, 300, 300);
    const auto calls = platform.callsSince(from);
    if (c.call) {
      EXPECT_EQ(calls, std::vector<std::string>{c.call}) << c.control << c.button;
    } else {
      EXPECT_TRUE(calls.empty()) << c.control << c.button;
    }
  }
}

TEST_F(Form1Test, DoubleClickOnTheSurfaceOrLogoHidesAndKeepsEverythingElse) {
  startWith(StandardSettings);
  for (const char* control : {"", form1::Image5}) {
    form1().mnuAbout_Click();
    window().events().onDoubleClick(form1::Label2);
    EXPECT_TRUE(window().isVisible());
    window().events().onDoubleClick(control);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(platform.trayIcons.size(), 1u);
    EXPECT_TRUE(window().control(form1::Timer1).timerEnabled);
    EXPECT_EQ(form1().topmostToggle(), 0);
    EXPECT_EQ(form1().tempShown(), 1);
    EXPECT_EQ(window().left(), 900);
  }
}

TEST_F(Form1Test, HiddenWindowComesBackWithCurrentFiguresFromTheTrayOrASecondStart) {
  startWith(StandardSettings);
  form1().noApp_Click();
  figures.cpuUsage = 42;
  window().events().onTimer(form1::Timer1);
  platform.sendTrayCallback(0x201);
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(window().control(form1::Label16).caption, "42");
  EXPECT_EQ(window().left(), 900);
  EXPECT_EQ(window().top(), 600);
  form1().noApp_Click();
  form1().onActivationRequest();
  EXPECT_TRUE(window().isVisible());
}

}  // namespace
}  // namespace kerumo
