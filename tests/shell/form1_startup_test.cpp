#include <gtest/gtest.h>

#include "shell/form1_fixture.h"
#include "shell/kerumo_app.h"
#include "shell/window_placement.h"

namespace kerumo::testing {
namespace {

std::string settingsWith(int top, int left, int topmostToggle, int tempShown) {
  return std::to_string(top) + "\r\n" + std::to_string(left) + "\r\n" + std::to_string(topmostToggle) + "\r\n" +
         std::to_string(tempShown) + "\r\n0\r\n10\r\n10\r\n";
}

TEST_F(Form1Test, StartUpRestoresBothSwitchesThroughTheirCommands) {
  const struct {
    int savedToggle, savedTemp;
    int16_t toggle;
    bool onTop;
    int16_t temp;
    bool tempVisible;
  } cases[] = {
      {0, 0, 0, true, 0, false}, {1, 1, 1, false, 1, true}, {5, 7, 1, false, 1, true},
      {0, 1, 0, true, 1, true},  {1, 0, 1, false, 0, false}, {-1, -2, 1, false, 1, true},
  };
  for (const auto& c : cases) {
    Form1Session session;
    session.startWith(settingsWith(600, 900, c.savedToggle, c.savedTemp));
    const Form1& form = session.form1();
    const FakeForm& w = session.window();
    SCOPED_TRACE("saved " + std::to_string(c.savedToggle) + "/" + std::to_string(c.savedTemp));
    EXPECT_EQ(form.topmostToggle(), c.toggle);
    EXPECT_EQ(w.topmost(), c.onTop);
    EXPECT_EQ(w.menuItemChecked(form1::frmTop), c.onTop);
    EXPECT_EQ(form.tempShown(), c.temp);
    EXPECT_EQ(w.menuItemChecked(form1::mnuCputmp), c.tempVisible);
    for (const char* label : {form1::Label1, form1::Label5, form1::Label20}) EXPECT_EQ(w.control(label).visible, c.tempVisible);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.menuVisible());
  }
}

// The steps in order, the program-wide values stored and the tray record filled.
TEST_F(Form1Test, StartUpRunsItsStepsInOrder) {
  writeSettings("600\r\n900\r\n0\r\n1\r\n1\r\n15\r\n25\r\n");
  form1();
  const auto load = [&] { ASSERT_TRUE(form1().Form_Load()); };
  EXPECT_EQ(callsDuring(load), (std::vector<std::string>{
                                   "Form1.setTop 600",
                                   "Form1.setLeft 900",
                                   "notifyIcon Add",
                                   "Form1.setVisible 0",
                                   "Form1.setMenuVisible 0",
                                   "Form1.setWindowPos HWND_TOPMOST 0x43",
                                   "Form1.setMenuItemChecked frmTop 1",
                                   "Form1.setMenuItemChecked mnuCputmp 1",
                                   "Form1.setControlVisible Label1 1",
                                   "Form1.setControlVisible Label5 1",
                                   "Form1.setControlVisible Label20 1",
                                   "Form1.setTimerEnabled Timer1 1",
                               }));
  EXPECT_EQ(WarnEnabled, 1);
  EXPECT_EQ(MemThreshold, 15);
  EXPECT_EQ(ResThreshold, 25);
  ASSERT_EQ(platform.trayIcons.size(), 1u);
  EXPECT_EQ(platform.trayIcons.front(), (TrayIconRecord{&window(), 1, 7, 0x200, Picture::Icon, "ケルモ"}));
}

// 16 pixels in from the top right corner of the primary work area.
TEST_F(Form1Test, MissingFileStartsWithDefaultsNearTheTopRightCorner) {
  platform.workAreas = {{15000, 450, 19200, 15000}};
  ASSERT_TRUE(form1().Form_Load());
  EXPECT_EQ(window().left() + window().width(), 15000 + 19200 - 16 * 15);
  EXPECT_EQ(window().top(), 450 + 16 * 15);
  EXPECT_TRUE(window().topmost());
  EXPECT_EQ(form1().tempShown(), 1);
  EXPECT_EQ(WarnEnabled, 0);
  EXPECT_EQ(MemThreshold, 10);
  EXPECT_EQ(ResThreshold, 10);
  EXPECT_FALSE(std::filesystem::exists(settingsPath()));
  form1().Form_Unload();
  EXPECT_EQ(held<SettingsRecord>(parseSettings(readFile(settingsPath()))).topmostToggle, 0);
}

TEST_F(Form1Test, MalformedFileStopsStartUpWithAClearBoxAndNoIcon) {
  const struct {
    const char* contents;  // none: a folder stands there
    const char* cause;
  } cases[] = {{"600\r\n900\r\n0\r\n", "値が 3 個しかありません"},
               {"600\r\nleft\r\n0\r\n1\r\n0\r\n10\r\n10\r\n", "2 行目の値「left」"},
               {"600\r\n900\r\n0\r\n1\r\n0\r\n10\r\n99999\r\n", "7 行目の値「99999」"},
               {nullptr, "通常のファイルではなく、フォルダーです"}};
  for (const auto& c : cases) {
    Form1Session session;
    auto& platform = session.platform;
    if (c.contents) {
      session.writeSettings(c.contents);
    } else {
      std::filesystem::create_directory(session.settingsPath());
    }
    // The box runs an event loop: the meter's timer must not tick in it.
    platform.onMessageBox = [&](const FakeMessageBox&) {
      EXPECT_FALSE(platform.form(form1::Name)->fireTimer(form1::Timer1));
      return MessageBoxOk;
    };
    EXPECT_FALSE(session.form1().Form_Load());
    session.form1().Form_Unload();
    session.form1().Timer1_Timer();
    EXPECT_EQ(session.loads, 0);
    ASSERT_EQ(platform.messageBoxes.size(), 1u) << c.cause;
    EXPECT_EQ(platform.messageBoxes[0].title, "ケルモエラー");
    EXPECT_NE(platform.messageBoxes[0].prompt.find(session.settingsPath().string()), std::string::npos);
    EXPECT_NE(platform.messageBoxes[0].prompt.find(c.cause), std::string::npos);
    EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "notifyIcon Add"), 0);
    if (c.contents) {
      EXPECT_EQ(readFile(session.settingsPath()), c.contents);
    }
  }
}

// Said on standard error too, for the log of a session that starts Kerumo unattended.
TEST_F(Form1Test, MalformedFileMakesTheProgramExitWithFailure) {
  writeSettings("1\r\n2\r\nabc\r\n");
  EXPECT_EQ(runKerumo(platform, settingsPath(), diagnostics, scriptedLoader(figures)), 1);
  EXPECT_EQ(diagnostics.str(), "kerumo: 設定ファイル「" + std::filesystem::absolute(settingsPath()).string() +
                                   "」を読み込めませんでした。3 行目の値「abc」が正しくありません。"
                                   "-32768～32767 の数値を指定してください。ファイルを修正するか削除してから、ケルモを"
                                   "もう一度起動してください（削除した場合は、既定の設定で起動します）\n");
}

// A saved place is kept while a piece of the window big enough to grab is on
// some screen, at the start and when the screens change; otherwise the window
// goes to the default, and the file keeps the saved place. The primary is
// 2560 pixels wide, a second screen lies right of it and a third left of and
// above it, in negative twips.
TEST(Form1SavedPlace, IsKeptWhileAGrabbablePieceIsOnSomeScreen) {
  const std::vector<TwipsRect> screens{{0, 0, 38400, 21600}, {38400, 0, 28800, 16200}, {-28800, -4500, 28800, 16200}};
  const struct {
    int top, left;
    bool kept, onPrimary;
  } cases[] = {
      {600, 900, true, true},
      {600, 34500, true, true},       // the default place on a 2560-pixel primary
      {900, 36000, true, true},       // 2400 pixels, beyond 16 bits
      {900, 40000, true, false},      // on the second screen
      {900, 66900, true, false},      // a few hundred twips still on it
      {900, 67000, false, false},     // under 16 pixels: too little to grab
      {900, 68000, false, false},     // the unplugged fourth one
      {900, -1200, true, true},       // partly on the primary, partly on the third
      {-3000, -20000, true, false},   // on the third: left of and above the primary
      {900, -32100, true, false},     // a few hundred twips on the third
      {900, -32300, false, false},
      {-30000, 600, false, false},    {-30000, -30000, false, false},
  };
  for (const auto& c : cases) {
    Form1Session session;
    session.platform.workAreas = screens;
    const std::string contents = settingsWith(c.top, c.left, 0, 1);
    session.startWith(contents);
    SCOPED_TRACE(contents);
    const double defaultLeft = 38400 - session.window().width() - 16 * 15;
    EXPECT_EQ(session.window().left(), c.kept ? c.left : defaultLeft);
    EXPECT_EQ(session.window().top(), c.kept ? c.top : 16 * 15);
    EXPECT_EQ(readFile(session.settingsPath()), contents);
    // Unplugging the other screens moves only a window they held.
    session.platform.workAreas = {screens.front()};
    session.form1().onScreensChanged();
    EXPECT_EQ(session.window().left(), c.onPrimary ? c.left : defaultLeft);
    EXPECT_EQ(readFile(session.settingsPath()), contents) << "kept until the exit";
    session.form1().Form_Unload();
    EXPECT_EQ(held<SettingsRecord>(readSettingsFile(session.settingsPath())).left, session.window().left());
  }
  // A window narrower than a grab counts whole.
  EXPECT_TRUE(isReachable({600, 900, 200, 200}, screens, 15));
}

// From the menu or closed by the window system: the file is written once,
// a warning dismissed during the run is written disarmed, the icon goes and
// a tick already queued runs nothing.
TEST(Form1Exit, WritesTheFileOnceAndDeletesTheIcon) {
  for (const bool fromTheMenu : {true, false}) {
    Form1Session session;
    auto& platform = session.platform;
    session.startWith(StandardSettings);
    session.figures.memoryLoads = {5};
    session.window().events().onTimer(form1::Timer1);
    session.window().setLeft(1500);
    session.window().setTop(-75);
    session.figures.calls.clear();
    const auto exit = [&] { fromTheMenu ? session.form1().mnuEnd_Click() : session.window().events().onUnload(); };
    EXPECT_EQ(session.callsDuring(exit),
              (std::vector<std::string>{"Form1.setTimerEnabled Timer1 0", "notifyIcon Delete", "quit 0"}));
    session.window().events().onTimer(form1::Timer1);
    EXPECT_TRUE(session.figures.calls.empty());
    EXPECT_EQ(readFile(session.settingsPath()), "-75\r\n1500\r\n0\r\n1\r\n0\r\n10\r\n10\r\n");
    EXPECT_TRUE(platform.trayIcons.empty());
    std::filesystem::remove(session.settingsPath());
    session.form1().Form_Unload();  // the event loop's end must not write again
    session.form1().onUnload();
    session.form1().onDisplayLost();  // nor a display lost after it
    EXPECT_FALSE(std::filesystem::exists(session.settingsPath()));
    EXPECT_EQ(session.diagnostics.str(), "kerumo: ディスプレイとの接続が切れました\n");
  }
}

// Even with the warning settings open: the meter stays stopped when the
// dialog goes, and the end of the run writes nothing again.
TEST_F(Form1Test, SignalDuringTheRunWritesTheFileOnce) {
  writeSettings(StandardSettings);
  int writesSeen = 0;
  platform.onEventLoop = [&](PlatformEvents& events) {
    platform.onShowModal = [&](FakeForm& dialog) {
      events.onTerminationRequest();
      dialog.events().onUnload();  // the ending loop takes the dialog down
    };
    window().events().onMenuCommand(form1::mnuKeikoku);
    EXPECT_FALSE(window().control(form1::Timer1).timerEnabled);
    writesSeen += std::filesystem::exists(settingsPath()) ? 1 : 0;
    std::filesystem::remove(settingsPath());
  };
  EXPECT_EQ(runKerumo(platform, settingsPath(), diagnostics, scriptedLoader(figures)), 0);
  EXPECT_EQ(writesSeen, 1);
  EXPECT_FALSE(std::filesystem::exists(settingsPath()));
  EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "notifyIcon Delete"), 1);
}

TEST_F(Form1Test, SecondInstanceExitsAtOnceWithoutTouchingTheFile) {
  writeSettings(StandardSettings);
  platform.instanceFree = false;
  EXPECT_EQ(runKerumo(platform, settingsPath(), diagnostics, scriptedLoader(figures)), 0);
  EXPECT_EQ(platform.calls, (std::vector<std::string>{"claimSingleInstance"}));
  EXPECT_EQ(platform.claimedKeys.front(), std::filesystem::weakly_canonical(settingsPath()).string());
}

}  // namespace
}  // namespace kerumo::testing
