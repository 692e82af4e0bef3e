#include "shell/file_messages.h"

namespace kerumo {

std::string describeCause(FileFailureCause cause, int code) {
  switch (cause) {
    case FileFailureCause::DiskFull: return "ディスクの空き容量が足りません";
    case FileFailureCause::NoPermission: return "アクセス権がありません";
    case FileFailureCause::ReadOnlyFileSystem: return "読み取り専用のファイルシステムです";
    case FileFailureCause::QuotaExceeded: return "ディスク使用量の上限（クォータ）を超えています";
    case FileFailureCause::InputOutput: return "ディスクの入出力エラーが発生しました";
    case FileFailureCause::InUse: return "ほかのプログラムがこのファイルを使用しています";
    case FileFailureCause::Other: break;
  }
  return "予期しないエラーが発生しました（エラー番号 " + std::to_string(code) + "）";
}

// The settings are written to "kerumo.ini.new" first and renamed into
// place: a failed create or write names that temporary file, a failed
// rename the settings file itself.
std::string describeFileFailure(const FileFailure& failure) {
  const std::string file = "「" + failure.path.string() + "」";
  std::string step;
  switch (failure.step) {
    case FileStep::Read: step = file + "を読み込めませんでした"; break;
    case FileStep::Create: step = "一時ファイル" + file + "を作成できませんでした"; break;
    case FileStep::Write: step = "一時ファイル" + file + "に書き込めませんでした"; break;
    case FileStep::Replace: step = file + "を新しい内容に置き換えられませんでした"; break;
  }
  return step + "。" + describeCause(failure.cause, failure.code);
}

std::string describeFileKind(FileKind kind) {
  switch (kind) {
    case FileKind::Directory: return "フォルダー";
    case FileKind::Fifo: return "名前付きパイプ";
    case FileKind::Socket: return "ソケット";
    case FileKind::CharacterDevice:
    case FileKind::BlockDevice: return "デバイスファイル";
    case FileKind::Other: break;
  }
  return "特殊なファイル";
}

}  // namespace kerumo
