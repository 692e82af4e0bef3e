// The settings file: its text, its values, and what is said when it cannot be
// used or written.
#include "shell/settings_file.h"

#include <gtest/gtest.h>

#include "shell/file_messages.h"
#include "shell/form1_fixture.h"
#include "shell/settings_text.h"

namespace kerumo::testing {
namespace {

using namespace std::string_literals;

TEST(SettingsFile, FileRoundTripIsByteForByte) {
  TempDir dir;
  const auto path = dir / "kerumo.ini";
  const std::string original = "-150\r\n30000\r\n0\r\n1\r\n1\r\n0\r\n200\r\n";
  writeFile(path, original);
  ASSERT_FALSE(writeSettingsFile(path, held<SettingsRecord>(readSettingsFile(path))));
  EXPECT_EQ(readFile(path), original);
  EXPECT_FALSE(std::filesystem::exists(dir / "kerumo.ini.new"));
}

// Positions are 32-bit: wide screens, second screens and screens left of
// the primary lie beyond 16 bits.
TEST(SettingsFile, WritesPositionsAsWholeTwips) {
  const struct {
    double top, left;
    const char* lines;
  } cases[] = {
      {40000.0, -50000.0, "40000\r\n-50000\r\n"},
      {2147483647.0, -2147483648.0, "2147483647\r\n-2147483648\r\n"},
      {1285.714, -8.571, "1286\r\n-9\r\n"},  // 150 and -1 pixels at 168 dpi
      {600.5, 901.5, "600\r\n902\r\n"},       // as the reader rounds
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatSettings({c.top, c.left, 0, 1, 0, 10, 10}), std::string(c.lines) + "0\r\n1\r\n0\r\n10\r\n10\r\n");
  }
}

// What a hand edit produces is read, and what is written reads back the same.
TEST(SettingsFile, AcceptsWhatAHandEditProducesAndReadsBackWhatItWrote) {
  const struct {
    const char* what;
    std::string text;
    SettingsRecord expected;
  } cases[] = {
      {"LF line ends", "1\n2\n0\n1\n0\n10\n10\n", {1, 2, 0, 1, 0, 10, 10}},
      {"no final line end", "1\r\n2\r\n0\r\n1\r\n0\r\n10\r\n10", {1, 2, 0, 1, 0, 10, 10}},
      {"blanks around values", "  1 \r\n\t2\r\n 0\r\n1 \r\n0\r\n10\r\n10\r\n", {1, 2, 0, 1, 0, 10, 10}},
      {"lines after the seventh", "1\n2\n0\n1\n0\n10\n10\nextra\n", {1, 2, 0, 1, 0, 10, 10}},
      {"fractions half to even", "1.5\n2.5\n0\n1\n0\n98.5\n-0.5\n", {2, 2, 0, 1, 0, 98, 0}},
      {"explicit plus sign", "+1\n2\n0\n1\n0\n10\n10\n", {1, 2, 0, 1, 0, 10, 10}},
      {"blank line between values", "1\n\n2\n0\n1\n0\n10\n10\n", {1, 2, 0, 1, 0, 10, 10}},
      {"negative positions", "-1200\n-45\n1\n0\n0\n1\n99\n", {-1200, -45, 1, 0, 0, 1, 99}},
      {"odd values survive unchanged", "32767\n-32768\n5\n7\n-3\n0\n250\n", {32767, -32768, 5, 7, -3, 0, 250}},
      {"positions beyond 16 bits", "40000\n-40000\n0\n1\n0\n10\n10\n", {40000, -40000, 0, 1, 0, 10, 10}},
      {"positions at 32 bits", "-2147483648\n2147483647\n0\n1\n0\n10\n10\n", {-2147483648.0, 2147483647, 0, 1, 0, 10, 10}},
      {"beyond a double's fractions", "1\n2\n0\n1\n0\n0." + std::string(400, '0') + "1\n10\n", {1, 2, 0, 1, 0, 0, 10}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(held<SettingsRecord>(parseSettings(c.text)), c.expected) << c.what;
    EXPECT_EQ(held<SettingsRecord>(parseSettings(formatSettings(c.expected))), c.expected) << c.what;
  }
}

TEST(SettingsFile, RejectsMalformedFilesNamingLineAndValue) {
  const struct {
    const char* text;
    SettingsProblem problem;
  } cases[] = {
      {"1\n2\n0\n1\n0\n10\n", {SettingsFault::TooFewValues, 0, "", 6}},
      {"", {SettingsFault::TooFewValues, 0, "", 0}},
      {"1\n2\nabc\n1\n0\n10\n10\n", {SettingsFault::BadValue, 3, "abc"}},
      {"1\n2\n0\n1\n0\n10\n32768\n", {SettingsFault::BadValue, 7, "32768"}},
      {"1\n2\n40000\n1\n0\n10\n10\n", {SettingsFault::BadValue, 3, "40000"}},
      {"1\n2\n0\n1\n0\n10\n-32769\n", {SettingsFault::BadValue, 7, "-32769"}},
      {"-2147483649\n2\n0\n1\n0\n10\n10\n", {SettingsFault::BadValue, 1, "-2147483649", 0, true}},
      {"1\n\n2147483648\n0\n1\n0\n10\n10\n", {SettingsFault::BadValue, 3, "2147483648", 0, true}},
      {"1\n2\n0\n1\n0\n1e3\n10\n", {SettingsFault::BadValue, 6, "1e3"}},
      {"1\n2\n0\n1\n0\n10 10\n10\n", {SettingsFault::BadValue, 6, "10 10"}},
      {"1\n2\n0\n1\n0\n.\n10\n", {SettingsFault::BadValue, 6, "."}},
      {"1\n2\n0\n1\n0\n--1\n10\n", {SettingsFault::BadValue, 6, "--1"}},
  };
  for (const auto& c : cases) EXPECT_EQ(held<SettingsProblem>(parseSettings(c.text)), c.problem) << c.text;
}

TEST(SettingsFile, ProblemMessageSaysWhereWhatAndHowToRecover) {
  const std::string head = "設定ファイル「/home/u/kerumo.ini」を読み込めませんでした。\r";
  const std::string fixOrDelete =
      "\rファイルを修正するか削除してから、ケルモをもう一度起動してください（削除した場合は、既定の設定で起動します）。";
  const std::string moveOrDelete =
      "\r別の場所に移動するか削除してから、ケルモをもう一度起動してください（既定の設定で起動します）。";
  // Plain literals only: a table of strings made GCC's -O3 see uninitialized
  // strings where there are none.
  const struct {
    SettingsFault fault;
    int line;
    const char* found;
    std::uintmax_t count;
    bool position;
    const char* said;
  } cases[] = {
      {SettingsFault::TooFewValues, 0, "", 3, false, "値が 3 個しかありません。1 行に 1 個ずつ、7 個の値を記述してください。"},
      {SettingsFault::TooFewValues, 0, "", 0, false, "値がありません。1 行に 1 個ずつ、7 個の値を記述してください。"},
      {SettingsFault::BadValue, 3, "abc", 0, false,
       "3 行目の値「abc」が正しくありません。-32768～32767 の数値を指定してください。"},
      {SettingsFault::BadValue, 2, "左", 0, true,
       "2 行目の値「左」が正しくありません。-2147483648～2147483647 の数値を指定してください。"},
      {SettingsFault::NotARegularFile, 0, "フォルダー", 0, false, "この場所にあるのは通常のファイルではなく、フォルダーです。"},
      {SettingsFault::TooLarge, 0, "", 65537, false,
       "ファイルのサイズが大きすぎます（65537 バイト）。ケルモの設定ファイルではない可能性があります。"},
      {SettingsFault::Unreadable, 0, "アクセス権がありません", 0, false, "アクセス権がありません。"},
  };
  for (const auto& c : cases) {
    const bool valuesAtFault = c.fault == SettingsFault::TooFewValues || c.fault == SettingsFault::BadValue;
    EXPECT_EQ(describeSettingsProblem("/home/u/kerumo.ini", {c.fault, c.line, c.found, c.count, c.position}),
              head + c.said + (valuesAtFault ? fixOrDelete : moveOrDelete));
  }
}

// The text's own tests take every encoding; here, that reading goes through it.
TEST(SettingsFile, ReadsUpToTheSizeLimitRefusesMoreAndQuotesBinaryShort) {
  TempDir dir;
  const std::string values = StandardSettings;
  writeFile(dir / "kerumo.ini", "\xEF\xBB\xBF" + values + std::string(SettingsMaxBytes - values.size() - 3, '\n'));
  EXPECT_EQ(held<SettingsRecord>(readSettingsFile(dir / "kerumo.ini")), (SettingsRecord{600, 900, 0, 1, 1, 10, 10}));
  writeFile(dir / "kerumo.ini", values + std::string(SettingsMaxBytes - values.size() + 1, '\n'));
  EXPECT_EQ(held<SettingsProblem>(readSettingsFile(dir / "kerumo.ini")),
            (SettingsProblem{SettingsFault::TooLarge, 0, "", 65537}));
  // Binary contents are quoted short and printable.
  std::string noise;
  for (int i = 0; i < 3000; ++i) noise += static_cast<char>((i * 151 + 7) % 256 == '\n' ? 1 : (i * 151 + 7) % 256);
  writeFile(dir / "kerumo.ini", noise);
  const auto problem = held<SettingsProblem>(readSettingsFile(dir / "kerumo.ini"));
  EXPECT_EQ(problem.line, 1);
  EXPECT_LE(problem.found.size(), 40u * 4 + 3);
  for (const char c : problem.found) EXPECT_FALSE(c >= 0 && c < 0x20) << static_cast<int>(c);
}

TEST(SettingsText, TakesUtf8WithOrWithoutItsByteOrderMarkAndUtf16WithOne) {
  const struct {
    const char* what;
    std::string bytes;
    std::string text;
  } cases[] = {
      {"plain", "600\r\n", "600\r\n"},
      {"UTF-8 mark", "\xEF\xBB\xBF" "600\r\n", "600\r\n"},
      {"UTF-16 little endian", "\xFF\xFE" "6\0" "0\0" "\r\0" "\n\0"s, "60\r\n"},
      {"UTF-16 big endian", "\xFE\xFF" "\0" "6" "\0" "0" "\0" "\n"s, "60\n"},
      {"UTF-16 Japanese", "\xFF\xFE" "\x8A\x30" "\xCB\x7A"s, "り立"},
      {"UTF-16 pair", "\xFF\xFE" "\x3D\xD8\x00\xDE"s, "\xF0\x9F\x98\x80"},
      {"UTF-16 lone surrogate", "\xFF\xFE" "\x3D\xD8" "1\0"s, "\xEF\xBF\xBD" "1"},
      {"UTF-16 odd byte at the end", "\xFF\xFE" "1\0" "2"s, "1\xEF\xBF\xBD"},
      {"mark only", "\xFF\xFE", ""},
      {"a mark later on is left alone", "1\xEF\xBB\xBF", "1\xEF\xBB\xBF"},
  };
  for (const auto& c : cases) EXPECT_EQ(settingsTextAsUtf8(c.bytes), c.text) << c.what;
}

TEST(SettingsText, ExcerptIsShortAndShowsOnlyPrintableText) {
  const struct {
    const char* what;
    std::string text;
    std::string shown;
  } cases[] = {
      {"short text as it is", "abc", "abc"},
      {"Japanese counts by character", "設定ファイル", "設定フ…"},
      {"cut after the limit", "abcdef", "abc…"},
      {"control characters", "a\x01\t", "a\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"NUL", "a\0b"s, "a\xEF\xBF\xBD" "b"},
      {"DEL", "a\x7F", "a\xEF\xBF\xBD"},
      {"bytes that are not UTF-8", "\xFF\xC3", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"overlong form", "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"encoded surrogate", "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const auto& c : cases) EXPECT_EQ(printableExcerpt(c.text, 3), c.shown) << c.what;
}

// A failure names the file, the step and the cause; an unknown cause its number.
TEST(FileMessages, EachStepHasItsOwnJapaneseSentence) {
  EXPECT_EQ(describeCause(FileFailureCause::Other, 71), "予期しないエラーが発生しました（エラー番号 71）");
  EXPECT_EQ(describeCause(FileFailureCause::InUse, 32), "ほかのプログラムがこのファイルを使用しています");
  const struct {
    FileStep step;
    const char* path;
    const char* sentence;
  } steps[] = {
      {FileStep::Create, "/data/kerumo.ini.new", "一時ファイル「/data/kerumo.ini.new」を作成できませんでした。"},
      {FileStep::Write, "/data/kerumo.ini.new", "一時ファイル「/data/kerumo.ini.new」に書き込めませんでした。"},
      {FileStep::Replace, "/data/kerumo.ini", "「/data/kerumo.ini」を新しい内容に置き換えられませんでした。"},
  };
  for (const auto& c : steps) {
    EXPECT_EQ(describeFileFailure({c.step, c.path, FileFailureCause::DiskFull, 28}),
              std::string(c.sentence) + "ディスクの空き容量が足りません");
  }
}

}  // namespace
}  // namespace kerumo::testing
