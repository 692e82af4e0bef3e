// The edges of a desktop session: a tray that comes late, a display that
// goes away, a settings file that cannot be used or written.
#include <gtest/gtest.h>

#include <algorithm>

#include "shell/form1_fixture.h"

namespace kerumo::testing {
namespace {

TEST_F(Form1Test, TrayThatComesLateIsSaidOnceWhenItComes) {
  platform.trayAvailable = false;
  startWith(StandardSettings);
  const std::string noTray = "kerumo: 通知領域が見つからないため、アイコンを表示せずに動作します\n";
  EXPECT_EQ(diagnostics.str(), noTray);
  form1().onTrayIconAdded();
  form1().onTrayIconAdded();
  EXPECT_EQ(diagnostics.str(), noTray + "kerumo: 通知領域が使用可能になったため、アイコンを表示しました\n");
}

TEST_F(Form1Test, LostDisplayWritesTheSessionsSettingsWithoutBoxOrIcon) {
  startWith("600\r\n900\r\n1\r\n0\r\n1\r\n15\r\n25\r\n");
  window().setLeft(4500);
  window().setTop(-300);
  form1().mnuCputmp_Click();
  MemThreshold = 33;
  EXPECT_EQ(callsDuring([&] { form1().onDisplayLost(); }), std::vector<std::string>{});  // no box either
  EXPECT_EQ(readFile(settingsPath()), "-300\r\n4500\r\n1\r\n1\r\n1\r\n33\r\n25\r\n");
  EXPECT_EQ(diagnostics.str(), "kerumo: ディスプレイとの接続が切れました。設定を " +
                                   std::filesystem::absolute(settingsPath()).string() + " に保存しました\n");
  std::filesystem::remove(settingsPath());
  form1().onTerminationRequest();  // the unload work after it writes nothing again
  EXPECT_FALSE(std::filesystem::exists(settingsPath()));
}

TEST_F(Form1Test, LostDisplayThatCannotWriteSaysWhyOnOneLine) {
  startWith(StandardSettings);
  std::filesystem::create_directory(dir / "kerumo.ini.new");
  form1().onDisplayLost();
  EXPECT_TRUE(platform.messageBoxes.empty());
  const auto temporary = (dir / "kerumo.ini.new").string();
  const std::string said = diagnostics.str();
  const std::string start = "kerumo: ディスプレイとの接続が切れました。設定を保存できませんでした。一時ファイル「" +
                            temporary + "」を作成できませんでした。";
  EXPECT_EQ(said.substr(0, start.size()), start) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
  EXPECT_EQ(readFile(settingsPath()), StandardSettings);
}

// The box gives the cause in Japanese and what became of the old file; no
// tick (and so no warning) runs behind it or after, and the icon still goes.
TEST(Form1WriteFailure, IsReportedAndTheIconStillGoes) {
  for (const bool firstRun : {false, true}) {
    Form1Session session;
    auto& platform = session.platform;
    if (!firstRun) session.writeSettings(StandardSettings);
    ASSERT_TRUE(session.form1().Form_Load());
    std::filesystem::create_directory(session.dir / "kerumo.ini.new");
    WarnEnabled = 1;
    session.figures.memoryLoads = {5};
    platform.onMessageBox = [&](const FakeMessageBox&) {
      EXPECT_FALSE(session.window().fireTimer(form1::Timer1));
      return MessageBoxOk;
    };
    session.form1().mnuEnd_Click();
    EXPECT_FALSE(session.window().fireTimer(form1::Timer1));
    EXPECT_TRUE(session.figures.calls.empty());
    ASSERT_EQ(platform.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.messageBoxes[0].title, "ケルモエラー");
    const std::string& prompt = platform.messageBoxes[0].prompt;
    const std::string start = "設定を「" + std::filesystem::absolute(session.settingsPath()).string() +
                              "」に保存できませんでした。\r一時ファイル「" + (session.dir / "kerumo.ini.new").string() +
                              "」を作成できませんでした。";
    EXPECT_EQ(prompt.substr(0, start.size()), start) << prompt;
    const std::string end = firstRun ? "。\r設定ファイルはまだ作成されていないため、次回は既定の設定で起動します。"
                                     : "。\r以前の設定ファイルはそのまま残っています。";
    EXPECT_TRUE(prompt.ends_with(end)) << prompt;
    EXPECT_TRUE(platform.trayIcons.empty());
    EXPECT_EQ(firstRun ? "" : StandardSettings, readFile(session.settingsPath()));
  }
}

}  // namespace
}  // namespace kerumo::testing
