#include "shell/file_messages.h"

#include <gtest/gtest.h>

namespace kerumo {
namespace {

TEST(FileMessages, EachCauseHasItsOwnJapaneseWording) {
  const struct {
    FileFailureCause cause;
    const char* text;
  } cases[] = {
      {FileFailureCause::DiskFull, "ディスクの空き容量が足りません"},
      {FileFailureCause::NoPermission, "アクセスする権限がありません"},
      {FileFailureCause::ReadOnlyFileSystem, "読み取り専用のファイルシステムです"},
      {FileFailureCause::QuotaExceeded, "ディスク使用量の上限（クォータ）を超えています"},
      {FileFailureCause::InputOutput, "ディスクの入出力エラーが発生しました"},
      {FileFailureCause::Other, "予期しないエラーが発生しました（エラー番号 71）"},
  };
  for (const auto& c : cases) EXPECT_EQ(describeCause(c.cause, 71), c.text);
}

TEST(FileMessages, AFailureNamesTheFileTheStepAndTheCause) {
  const struct {
    FileStep step;
    const char* path;
    const char* sentence;
  } cases[] = {
      {FileStep::Create, "/data/kerumo.ini.new", "一時ファイル「/data/kerumo.ini.new」を作成できませんでした。"},
      {FileStep::Write, "/data/kerumo.ini.new", "一時ファイル「/data/kerumo.ini.new」に書き込めませんでした。"},
      {FileStep::Replace, "/data/kerumo.ini", "「/data/kerumo.ini」を新しい内容に置き換えられませんでした。"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(describeFileFailure({c.step, c.path, FileFailureCause::DiskFull, 28}),
              std::string(c.sentence) + "ディスクの空き容量が足りません");
  }
}

}  // namespace
}  // namespace kerumo
