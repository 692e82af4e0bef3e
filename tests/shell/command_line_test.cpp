#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "kerumo_version.h"

namespace kerumo {
namespace {

struct Answer {
  std::optional<int> status;
  std::string out;
  std::string err;
};

Answer answer(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "kerumo");
  std::ostringstream out, err;
  const auto status = answerCommandLine(static_cast<int>(arguments.size()), arguments.data(), out, err);
  return {status, out.str(), err.str()};
}

TEST(CommandLine, NoArgumentStartsKerumoQuietly) {
  const Answer a = answer({});
  EXPECT_FALSE(a.status.has_value());
  EXPECT_EQ(a.out + a.err, "");
}

TEST(CommandLine, VersionPrintsTheProjectVersionOnOneLine) {
  const Answer a = answer({"--version"});
  EXPECT_EQ(a.status, 0);
  EXPECT_EQ(a.out, std::string("kerumo ") + KERUMO_VERSION + "\n");
  EXPECT_EQ(a.err, "");
}

TEST(CommandLine, HelpSaysWhatKerumoIsItsOptionsAndWhereItsSettingsLive) {
  const Answer a = answer({"--help"});
  EXPECT_EQ(a.status, 0);
  EXPECT_EQ(a.out, std::string("ケルモ（Kerumo）") + KERUMO_VERSION +
                       " - 常駐型のシステムモニター\n"
                       "\n"
                       "小さなメーターウィンドウに、CPU 温度と、CPU・物理メモリ・システムリソースの\n"
                       "使用率を 0.5 秒ごとに表示します。メニューは、通知領域のアイコンか\n"
                       "メーターウィンドウを右クリックすると開きます。\n"
                       "\n"
                       "使い方: kerumo [オプション]\n"
                       "\n"
                       "オプション:\n"
                       "  --help       この説明を表示して終了します\n"
                       "  --version    バージョンを表示して終了します\n"
                       "\n"
                       "オプションを付けずに実行すると、ケルモが起動します。\n"
                       "設定は、起動したフォルダー（作業フォルダー）の kerumo.ini に保存されます。\n"
                       "Linux のアプリケーションメニューやログイン時の自動起動では、\n"
                       "~/.config/kerumo（XDG_CONFIG_HOME を設定している場合は\n"
                       "$XDG_CONFIG_HOME/kerumo）に保存されます。\n");
  EXPECT_EQ(a.err, "");
}

TEST(CommandLine, AnyOtherArgumentGetsTheHelpOnStandardErrorAndStatusTwo) {
  const struct {
    std::vector<const char*> arguments;
    std::string said;
  } refused[] = {
      {{"-h"}, "kerumo: 不明な引数です: -h"},
      {{"--HELP"}, "kerumo: 不明な引数です: --HELP"},
      {{"help"}, "kerumo: 不明な引数です: help"},
      {{""}, "kerumo: 不明な引数です: "},
      {{"--version=1"}, "kerumo: 不明な引数です: --version=1"},
      {{"kerumo.ini"}, "kerumo: 不明な引数です: kerumo.ini"},
      {{"x", "--help"}, "kerumo: 不明な引数です: x"},
      {{"--help", "--version"}, "kerumo: 引数は 1 つしか指定できません: --version"},
      {{"--version", "x"}, "kerumo: 引数は 1 つしか指定できません: x"},
  };
  const std::string help = answer({"--help"}).out;
  for (const auto& r : refused) {
    const Answer a = answer(r.arguments);
    EXPECT_EQ(a.status, 2) << r.said;
    EXPECT_EQ(a.out, "") << r.said;
    EXPECT_EQ(a.err, r.said + "\n\n" + help);
  }
}

}  // namespace
}  // namespace kerumo
