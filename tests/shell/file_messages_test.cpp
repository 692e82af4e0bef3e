#include "shell/file_messages.h"

#include <gtest/gtest.h>

#include <regex>

#include "shell/settings_file.h"

namespace kerumo {
namespace {

// Every word shown in a box is Japanese; only paths and numbers are not.
bool hasEnglishWord(const std::string& text) { return std::regex_search(text, std::regex("[A-Za-z]{2,}")); }

TEST(FileMessages, EachCauseHasItsOwnJapaneseWording) {
  const struct {
    FileFailureCause cause;
    const char* words;
  } cases[] = {
      {FileFailureCause::DiskFull, "空き容量"},
      {FileFailureCause::NoPermission, "権限"},
      {FileFailureCause::ReadOnlyFileSystem, "読み取り専用"},
      {FileFailureCause::QuotaExceeded, "クォータ"},
      {FileFailureCause::InputOutput, "入出力エラー"},
      {FileFailureCause::Other, "エラー番号 71"},
  };
  for (const auto& c : cases) {
    const std::string text = describeCause(c.cause, 71);
    EXPECT_NE(text.find(c.words), std::string::npos) << text;
    EXPECT_FALSE(hasEnglishWord(text)) << text;
  }
}

TEST(FileMessages, WriteFailureBoxNamesTheFileTheStepAndTheCauseInJapanese) {
  const struct {
    FileStep step;
    const char* words;
  } cases[] = {
      {FileStep::Create, "作成できませんでした"},
      {FileStep::Write, "書き込めませんでした"},
      {FileStep::Replace, "置き換えられませんでした"},
  };
  for (const auto& c : cases) {
    const FileFailure failure{c.step, "/data/kerumo.ini.new", FileFailureCause::DiskFull, 28};
    const std::string box = describeSettingsWriteFailure("/data/kerumo.ini", failure);
    EXPECT_NE(box.find(c.words), std::string::npos) << box;
    EXPECT_NE(box.find("「/data/kerumo.ini.new」"), std::string::npos) << box;
    EXPECT_NE(box.find("ディスクの空き容量が足りません"), std::string::npos) << box;
  }
}

TEST(FileMessages, WriteFailureBoxHasNoEnglishOutsideThePaths) {
  const FileFailure failure{FileStep::Write, "/x/kerumo.ini.new", FileFailureCause::Other, 5};
  std::string box = describeSettingsWriteFailure("/x/kerumo.ini", failure);
  for (const std::string path : {"/x/kerumo.ini.new", "/x/kerumo.ini"}) {
    for (auto at = box.find(path); at != std::string::npos; at = box.find(path)) box.erase(at, path.size());
  }
  EXPECT_FALSE(hasEnglishWord(box)) << box;
  EXPECT_NE(box.find("エラー番号 5"), std::string::npos);
}

TEST(FileMessages, WhatStandsThereIsNamed) {
  EXPECT_EQ(describeFileKind(FileKind::Directory), "フォルダー");
  EXPECT_EQ(describeFileKind(FileKind::Fifo), "名前付きパイプ");
  EXPECT_EQ(describeFileKind(FileKind::Socket), "ソケット");
  EXPECT_EQ(describeFileKind(FileKind::CharacterDevice), "デバイスファイル");
}

}  // namespace
}  // namespace kerumo
