// The edges of a desktop session: a tray that comes late, a display that
// goes away, a settings file that cannot be used or written.
#include <gtest/gtest.h>

#include <algorithm>

#include "shell/form1_fixture.h"

namespace kerumo {
namespace {

using testing::Form1Test;
using testing::readFile;
using testing::StandardSettings;

size_t linesOf(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

TEST_F(Form1Test, TrayThatComesLateIsSaidOnceWhenItComes) {
  platform.trayAvailable = false;
  startWith(StandardSettings);
  EXPECT_EQ(diagnostics.str(), "kerumo: no system tray is available; running without a tray icon\n");
  form1().onTrayIconAdded();
  form1().onTrayIconAdded();
  EXPECT_EQ(diagnostics.str(),
            "kerumo: no system tray is available; running without a tray icon\n"
            "kerumo: a system tray appeared; the tray icon is shown\n");
}

TEST_F(Form1Test, LostDisplayWritesTheSessionsSettingsWithoutBoxOrIcon) {
  startWith("600\r\n900\r\n1\r\n0\r\n1\r\n15\r\n25\r\n");
  window().setLeft(4500);
  window().setTop(-300);
  form1().mnuCputmp_Click();
  MemThreshold = 33;
  const size_t from = platform.calls.size();
  form1().onDisplayLost();
  EXPECT_EQ(readFile(settingsPath()), "-300\r\n4500\r\n1\r\n1\r\n1\r\n33\r\n25\r\n");
  EXPECT_TRUE(platform.messageBoxes.empty());
  EXPECT_EQ(platform.callsSince(from), std::vector<std::string>{});
  EXPECT_EQ(linesOf(diagnostics.str()), 1u);
  EXPECT_NE(diagnostics.str().find("the settings were saved to"), std::string::npos) << diagnostics.str();
}

TEST_F(Form1Test, LostDisplayAfterTheUnloadWorkWritesNothingMore) {
  startWith(StandardSettings);
  form1().mnuEnd_Click();
  std::filesystem::remove(settingsPath());
  form1().onDisplayLost();
  EXPECT_FALSE(std::filesystem::exists(settingsPath()));
  EXPECT_EQ(diagnostics.str(), "kerumo: the connection to the display was lost\n");
}

TEST_F(Form1Test, LostDisplayThenTheSessionsEndStillWritesOnce) {
  startWith(StandardSettings);
  form1().onDisplayLost();
  std::filesystem::remove(settingsPath());
  form1().onTerminationRequest();
  EXPECT_FALSE(std::filesystem::exists(settingsPath()));
}

TEST_F(Form1Test, LostDisplayThatCannotWriteSaysWhyOnOneLine) {
  startWith(StandardSettings);
  std::filesystem::create_directory(dir / "kerumo.ini.new");
  form1().onDisplayLost();
  EXPECT_TRUE(platform.messageBoxes.empty());
  EXPECT_EQ(linesOf(diagnostics.str()), 1u);
  EXPECT_NE(diagnostics.str().find("could not be saved"), std::string::npos) << diagnostics.str();
  EXPECT_EQ(readFile(settingsPath()), StandardSettings);
}

TEST_F(Form1Test, SettingsThatCannotBeUsedAreAlsoSaidOnStandardError) {
  writeSettings("1\r\n2\r\nabc\r\n");
  EXPECT_FALSE(form1().Form_Load());
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  const std::string said = diagnostics.str();
  EXPECT_EQ(linesOf(said), 1u);
  EXPECT_NE(said.find("abc"), std::string::npos);
  EXPECT_EQ(said.find('\r'), std::string::npos);
}

TEST_F(Form1Test, FolderInPlaceOfTheSettingsGetsTheErrorBoxAtOnce) {
  std::filesystem::create_directory(settingsPath());
  EXPECT_FALSE(form1().Form_Load());
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  EXPECT_EQ(platform.messageBoxes[0].title, "ケルモエラー");
  EXPECT_NE(platform.messageBoxes[0].prompt.find("「フォルダー」がありますが、通常のファイルが必要です"), std::string::npos)
      << platform.messageBoxes[0].prompt;
  EXPECT_TRUE(platform.trayIcons.empty());
}

TEST_F(Form1Test, WriteFailureBoxGivesTheCauseInJapanese) {
  startWith(StandardSettings);
  std::filesystem::create_directory(dir / "kerumo.ini.new");
  form1().mnuEnd_Click();
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  const std::string& prompt = platform.messageBoxes[0].prompt;
  EXPECT_NE(prompt.find("kerumo.ini.new」を作成できませんでした。原因: "), std::string::npos) << prompt;
  EXPECT_EQ(prompt.find("cannot"), std::string::npos) << prompt;
}

}  // namespace
}  // namespace kerumo
