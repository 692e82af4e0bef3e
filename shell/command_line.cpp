#include "shell/command_line.h"

#include <string_view>

#include "kerumo_version.h"
#include "shell/settings_file.h"

namespace kerumo {
namespace {

constexpr int UsageErrorStatus = 2;

void writeHelp(std::ostream& out) {
  out << "ケルモ (Kerumo) " KERUMO_VERSION " — 常駐型のシステムモニター\n"
         "通知領域のアイコンと小さなメーター窓に、CPU・メモリー・システムリソースの\n"
         "使用率と CPU 温度を 0.5 秒ごとに表示します。\n"
         "\n"
         "使い方: kerumo [--help | --version]\n"
         "設定は起動したフォルダー (カレントディレクトリ) の "
      << SettingsFileName
      << " に保存されます。\n"
         "Linux のメニューやログイン時の自動起動では ~/.config/kerumo\n"
         "($XDG_CONFIG_HOME/kerumo) で起動します。\n";
}

}  // namespace

std::optional<int> answerCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  if (argc <= 1) return std::nullopt;
  const std::string_view argument = argv[1];
  if (argc == 2 && argument == "--version") {
    out << "kerumo " KERUMO_VERSION "\n";
    return 0;
  }
  if (argc == 2 && argument == "--help") {
    writeHelp(out);
    return 0;
  }
  // Only one argument is taken: after a good one, the second is at fault.
  const bool firstIsGood = argument == "--help" || argument == "--version";
  err << "kerumo: 使えない引数です: " << argv[firstIsGood ? 2 : 1] << "\n\n";
  writeHelp(err);
  return UsageErrorStatus;
}

}  // namespace kerumo
