#include <gtest/gtest.h>

#include "shell/form1_design.h"
#include "shell/form1_fixture.h"
#include "shell/module1.h"

namespace kerumo {
namespace {

using testing::Form1Test;
using testing::StandardSettings;

TEST_F(Form1Test, TwoFrmTopCommandsReturnToTheStart) {
  startWith(StandardSettings);
  const bool onTop = window().topmost();
  form1().frmTop_Click();
  EXPECT_NE(window().topmost(), onTop);
  EXPECT_EQ(window().menuItemChecked(form1::frmTop), !onTop);
  form1().frmTop_Click();
  EXPECT_EQ(window().topmost(), onTop);
  EXPECT_EQ(window().menuItemChecked(form1::frmTop), onTop);
  EXPECT_EQ(form1().topmostToggle(), 0);
}

TEST_F(Form1Test, TwoMnuCputmpCommandsReturnToTheStart) {
  startWith(StandardSettings);
  form1().mnuCputmp_Click();
  EXPECT_EQ(form1().tempShown(), 0);
  EXPECT_FALSE(window().control(form1::Label5).visible);
  EXPECT_TRUE(window().control(form1::Label2).visible);  // the usage row stays
  const size_t from = platform.calls.size();
  form1().mnuCputmp_Click();
  EXPECT_EQ(platform.callsSince(from), (std::vector<std::string>{
                                           "Form1.setMenuItemChecked mnuCputmp 1",
                                           "Form1.setControlVisible Label1 1",
                                           "Form1.setControlVisible Label5 1",
                                           "Form1.setControlVisible Label20 1",
                                       }));
  EXPECT_EQ(form1().tempShown(), 1);
}

TEST_F(Form1Test, FrmTopWhileHiddenShowsTheWindow) {
  startWith(StandardSettings);
  form1().noApp_Click();
  ASSERT_FALSE(window().isVisible());
  form1().frmTop_Click();
  EXPECT_TRUE(window().isVisible());
  EXPECT_FALSE(window().topmost());
}

TEST(Module1, SetWindowOrderMapsModesToTheZOrderAndShows) {
  FakePlatform platform;
  struct NoEvents : FormEvents {
    void onMouseDown(const std::string&, int, int, double, double) override {}
    void onMouseMove(const std::string&, int, int, double, double) override {}
    void onDoubleClick(const std::string&) override {}
    void onClick(const std::string&) override {}
    void onKeyPress(const std::string&, int&) override {}
    void onTimer(const std::string&) override {}
    void onMenuCommand(const std::string&) override {}
    void onUnload() override {}
  } events;
  auto form = platform.createForm(form1Design(), events);
  EXPECT_EQ(SetWindowOrder(*form, 1), 1);
  EXPECT_EQ(SetWindowOrder(*form, 0), 1);
  EXPECT_EQ(SetWindowOrder(*form, 2), 0);
  EXPECT_EQ(SetWindowOrder(*form, -1), 0);
  EXPECT_EQ(platform.callsSince(1), (std::vector<std::string>{"Form1.setWindowPos HWND_TOPMOST 0x43",
                                                              "Form1.setWindowPos HWND_NOTOPMOST 0x43"}));
}

TEST_F(Form1Test, TrayCallbackDecodesTheMouseMessageFromX) {
  startWith(StandardSettings);
  const struct {
    double x;
    double twipsPerPixel;
    bool shows;
    bool popsUp;
  } cases[] = {
      {0x200 * 15.0, 15, false, false}, {0x201 * 15.0, 15, true, false},  {0x202 * 15.0, 15, false, false},
      {0x203 * 15.0, 15, false, false}, {0x204 * 15.0, 15, false, true},  {0x205 * 15.0, 15, false, false},
      {0x206 * 15.0, 15, false, false}, {0x201 * 15.0 + 14, 15, true, false},  // truncating division
      {0x201 * 15.0 - 1, 15, false, false}, {0x201 * 12.0 + 0.4, 12, true, false}, {0x204 * 20.0, 20, false, true},
      {0x201 * 15.0, 15.4, true, false},  // twips per pixel rounds to 15 first
  };
  for (const auto& c : cases) {
    form1().noApp_Click();
    platform.twipsPerPixel = c.twipsPerPixel;
    const size_t from = platform.calls.size();
    window().events().onMouseMove("", 0, 0, c.x, 0);
    const auto calls = platform.callsSince(from);
    SCOPED_TRACE(c.x);
    EXPECT_EQ(window().isVisible(), c.shows);
    if (c.popsUp) {
      EXPECT_EQ(calls, (std::vector<std::string>{"Form1.setForeground", "processPendingEvents", "Form1.popupMenu"}));
    } else if (c.shows) {
      EXPECT_EQ(calls, (std::vector<std::string>{"Form1.setMenuVisible 0", "Form1.setVisible 1"}));
    } else {
      EXPECT_TRUE(calls.empty());
    }
  }
}

TEST_F(Form1Test, MenuHasTheElevenItemsInOrder) {
  startWith(StandardSettings);
  const auto& menu = *window().design().menu;
  EXPECT_EQ(menu.name, "mnuTray");
  EXPECT_EQ(menu.caption, "menu");
  std::vector<std::pair<std::string, std::string>> items;
  for (const auto& item : menu.items) items.emplace_back(item.name, item.caption);
  EXPECT_EQ(items, (std::vector<std::pair<std::string, std::string>>{
                       {"mnuAbout", "ケルモの表示"},
                       {"noApp", "ケルモの非表示"},
                       {"mnuLine", "-"},
                       {"frmTop", "常に手前に表示"},
                       {"mnuBlank", "-"},
                       {"mnuCputmp", "CPU温度の表示"},
                       {"mnuKeikoku", "警告設定"},
                       {"mnuBlank2", "-"},
                       {"mnuEnd", "ケルモの終了"},
                       {"mnuBlank3", "-"},
                       {"mnuab", "about"},
                   }));
}

TEST_F(Form1Test, MenuCommandsRunThroughTheMenu) {
  startWith(StandardSettings);
  window().events().onMenuCommand(form1::noApp);
  EXPECT_FALSE(window().isVisible());
  window().events().onMenuCommand(form1::mnuAbout);
  EXPECT_TRUE(window().isVisible());
  window().events().onMenuCommand(form1::frmTop);
  EXPECT_EQ(form1().topmostToggle(), 1);
  window().events().onMenuCommand(form1::mnuCputmp);
  EXPECT_EQ(form1().tempShown(), 0);
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

TEST_F(Form1Test, HiddenWindowComesBackWithCurrentFigures) {
  startWith(StandardSettings);
  form1().noApp_Click();
  figures.cpuUsage = 42;
  window().events().onTimer(form1::Timer1);
  window().events().onMouseMove("", 0, 0, 0x201 * 15.0, 0);
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(window().control(form1::Label16).caption, "42");
  EXPECT_EQ(window().left(), 900);
  EXPECT_EQ(window().top(), 600);
}

}  // namespace
}  // namespace kerumo
