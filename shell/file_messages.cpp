#include "shell/file_messages.h"

namespace kerumo {

std::string describeCause(FileFailureCause cause, int code) {
  switch (cause) {
    case FileFailureCause::DiskFull: return "ディスクの空き容量が足りません";
    case FileFailureCause::NoPermission: return "アクセスする権限がありません";
    case FileFailureCause::ReadOnlyFileSystem: return "読み取り専用のファイルシステムです";
    case FileFailureCause::QuotaExceeded: return "ディスク使用量の上限（クォータ）を超えています";
    case FileFailureCause::InputOutput: return "ディスクの入出力エラーが起きました";
    case FileFailureCause::Other: break;
  }
  return "予期しないエラーが起きました（エラー番号 " + std::to_string(code) + "）";
}

std::string describeFileFailure(const FileFailure& failure) {
  const std::string file = "「" + failure.path.string() + "」";
  std::string step;
  switch (failure.step) {
    case FileStep::Read: step = file + "を読み取れませんでした"; break;
    case FileStep::Create: step = file + "を作成できませんでした"; break;
    case FileStep::Write: step = file + "に書き込めませんでした"; break;
    case FileStep::Replace: step = file + "を新しい内容に置き換えられませんでした"; break;
  }
  return step + "。原因: " + describeCause(failure.cause, failure.code) + "。";
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

std::string causeForLog(FileFailureCause cause, int code) {
  switch (cause) {
    case FileFailureCause::DiskFull: return "disk full";
    case FileFailureCause::NoPermission: return "permission denied";
    case FileFailureCause::ReadOnlyFileSystem: return "read-only file system";
    case FileFailureCause::QuotaExceeded: return "disk quota exceeded";
    case FileFailureCause::InputOutput: return "input/output error";
    case FileFailureCause::Other: break;
  }
  return "error " + std::to_string(code);
}

}  // namespace kerumo
