#include "shell/command_line.h"

#include <string_view>

#include "kerumo_version.h"
#include "shell/settings_file.h"

namespace kerumo {
namespace {

constexpr int UsageErrorStatus = 2;

void writeHelp(std::ostream& out) {
  out << "ケルモ（Kerumo）" KERUMO_VERSION " - 常駐型のシステムモニター\n"
         "\n"
         "CPU 温度と、CPU・物理メモリ・システムリソースの使用率を、\n"
         "小さなメーターウィンドウに 0.5 秒ごとに表示します。\n"
         "メニューは、通知領域（タスクトレイ）のアイコンを右クリックするか、\n"
         "メーターウィンドウの背景または棒グラフを右クリックすると表示されます。\n"
         "\n"
         "使い方: kerumo [オプション]\n"
         "\n"
         "オプション:\n"
         "  --help       このヘルプを表示して終了します\n"
         "  --version    バージョン番号を表示して終了します\n"
         "\n"
         "オプションを指定せずに実行すると、ケルモが起動します。\n"
         "設定は、作業フォルダー（カレントディレクトリ）の "
      << SettingsFileName
      << " に保存されます。\n"
         "Linux のアプリケーションメニューやログイン時の自動起動から起動した場合は、\n"
         "~/.config/kerumo（環境変数 XDG_CONFIG_HOME を設定している場合は\n"
         "$XDG_CONFIG_HOME/kerumo）に保存されます。\n";
}

}  // namespace

std::optional<int> answerCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  if (argc <= 1) return std::nullopt;
  const std::string_view argument = argv[1];
  const bool firstIsGood = argument == "--help" || argument == "--version";
  if (argc == 2 && argument == "--version") {
    out << "kerumo " KERUMO_VERSION "\n";
    return 0;
  }
  if (argc == 2 && argument == "--help") {
    writeHelp(out);
    return 0;
  }
  // Only one argument is taken: after a good one, the second is at fault.
  if (firstIsGood) {
    err << "kerumo: 引数は 1 つしか指定できません: " << argv[2] << "\n\n";
  } else {
    err << "kerumo: 不明な引数です: " << argv[1] << "\n\n";
  }
  writeHelp(err);
  return UsageErrorStatus;
}

}  // namespace kerumo
