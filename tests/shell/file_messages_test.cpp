#include "shell/file_messages.h"

#include <gtest/gtest.h>

#include "shell/settings_file.h"

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

TEST(FileMessages, WriteFailureBoxNamesTheFileTheStepAndTheCause) {
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
    const FileFailure failure{c.step, c.path, FileFailureCause::DiskFull, 28};
    EXPECT_EQ(describeSettingsWriteFailure("/data/kerumo.ini", failure, true),
              std::string("設定を「/data/kerumo.ini」に保存できませんでした。\r") + c.sentence +
                  "ディスクの空き容量が足りません。\r以前の設定ファイルはそのまま残っています。");
  }
}

// On a first run there is no earlier file to fall back on.
TEST(FileMessages, WriteFailureBoxOfAFirstRunSaysTheNextStartUsesTheDefaults) {
  const FileFailure failure{FileStep::Create, "/x/kerumo.ini.new", FileFailureCause::Other, 5};
  EXPECT_EQ(describeSettingsWriteFailure("/x/kerumo.ini", failure, false),
            "設定を「/x/kerumo.ini」に保存できませんでした。\r"
            "一時ファイル「/x/kerumo.ini.new」を作成できませんでした。予期しないエラーが発生しました（エラー番号 5）。\r"
            "設定ファイルはまだ作成されていないため、次回は既定の設定で起動します。");
}

TEST(FileMessages, WhatStandsThereIsNamed) {
  EXPECT_EQ(describeFileKind(FileKind::Directory), "フォルダー");
  EXPECT_EQ(describeFileKind(FileKind::Fifo), "名前付きパイプ");
  EXPECT_EQ(describeFileKind(FileKind::Socket), "ソケット");
  EXPECT_EQ(describeFileKind(FileKind::CharacterDevice), "デバイスファイル");
  EXPECT_EQ(describeFileKind(FileKind::Other), "特殊なファイル");
}

}  // namespace
}  // namespace kerumo
