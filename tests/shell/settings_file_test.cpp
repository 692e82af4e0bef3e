#include "shell/settings_file.h"

#include <gtest/gtest.h>

#include "tests/temp_dir.h"

namespace kerumo {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

SettingsRecord parsedOrFail(const std::string& text) {
  const auto parsed = parseSettings(text);
  EXPECT_TRUE(std::holds_alternative<SettingsRecord>(parsed)) << text;
  return std::holds_alternative<SettingsRecord>(parsed) ? std::get<SettingsRecord>(parsed) : SettingsRecord{};
}

TEST(SettingsFile, ReadsBackWhatItWrote) {
  const SettingsRecord records[] = {
      {600, 900, 0, 1, 1, 10, 10},
      {-1200, -45, 1, 0, 0, 1, 99},
      {32767, -32768, 5, 7, -3, 0, 250},  // hand-edited values survive unchanged
  };
  for (const auto& record : records) EXPECT_EQ(parsedOrFail(formatSettings(record)), record);
}

TEST(SettingsFile, FileRoundTripIsByteForByte) {
  TempDir dir;
  const auto path = dir / "kerumo.ini";
  const std::string original = "-150\r\n30000\r\n0\r\n1\r\n1\r\n0\r\n200\r\n";
  writeFile(path, original);
  const auto read = readSettingsFile(path);
  ASSERT_TRUE(std::holds_alternative<SettingsRecord>(read));
  ASSERT_FALSE(writeSettingsFile(path, std::get<SettingsRecord>(read)));
  EXPECT_EQ(readFile(path), original);
  EXPECT_FALSE(std::filesystem::exists(dir / "kerumo.ini.new"));
}

TEST(SettingsFile, WritesPositionsAsWholeTwipsWithinSixteenBits) {
  const struct {
    double top, left;
    const char* lines;
  } cases[] = {
      {40000.0, -50000.0, "32767\r\n-32768\r\n"},
      {1285.714, -8.571, "1286\r\n-9\r\n"},  // 150 and -1 pixels at 168 dpi
      {600.5, 901.5, "600\r\n902\r\n"},       // as the reader rounds
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatSettings({c.top, c.left, 0, 1, 0, 10, 10}), std::string(c.lines) + "0\r\n1\r\n0\r\n10\r\n10\r\n");
  }
}

TEST(SettingsFile, AcceptsWhatAHandEditProduces) {
  const struct {
    const char* what;
    const char* text;
    SettingsRecord expected;
  } cases[] = {
      {"LF line ends", "1\n2\n0\n1\n0\n10\n10\n", {1, 2, 0, 1, 0, 10, 10}},
      {"no final line end", "1\r\n2\r\n0\r\n1\r\n0\r\n10\r\n10", {1, 2, 0, 1, 0, 10, 10}},
      {"blanks around values", "  1 \r\n\t2\r\n 0\r\n1 \r\n0\r\n10\r\n10\r\n", {1, 2, 0, 1, 0, 10, 10}},
      {"lines after the seventh", "1\n2\n0\n1\n0\n10\n10\nextra\n", {1, 2, 0, 1, 0, 10, 10}},
      {"fractions half to even", "1.5\n2.5\n0\n1\n0\n98.5\n-0.5\n", {2, 2, 0, 1, 0, 98, 0}},
      {"explicit plus sign", "+1\n2\n0\n1\n0\n10\n10\n", {1, 2, 0, 1, 0, 10, 10}},
      {"blank line between values", "1\n\n2\n0\n1\n0\n10\n10\n", {1, 2, 0, 1, 0, 10, 10}},
  };
  for (const auto& c : cases) EXPECT_EQ(parsedOrFail(c.text), c.expected) << c.what;
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
      {"-32769\n2\n0\n1\n0\n10\n10\n", {SettingsFault::BadValue, 1, "-32769"}},
      {"1\n2\n0\n1\n0\n1e3\n10\n", {SettingsFault::BadValue, 6, "1e3"}},
      {"1\n2\n0\n1\n0\n10 10\n10\n", {SettingsFault::BadValue, 6, "10 10"}},
      {"1\n2\n0\n1\n0\n.\n10\n", {SettingsFault::BadValue, 6, "."}},
      {"1\n2\n0\n1\n0\n--1\n10\n", {SettingsFault::BadValue, 6, "--1"}},
  };
  for (const auto& c : cases) {
    const auto parsed = parseSettings(c.text);
    ASSERT_TRUE(std::holds_alternative<SettingsProblem>(parsed)) << c.text;
    EXPECT_EQ(std::get<SettingsProblem>(parsed), c.problem) << c.text;
  }
}

TEST(SettingsFile, ProblemMessageSaysWhereWhatAndHowToRecover) {
  const std::string head = "設定ファイル「/home/u/kerumo.ini」を読み込めませんでした。\r";
  const std::string fixOrDelete =
      "\rファイルを直すか削除してから、ケルモをもう一度起動してください（削除すると、既定の設定で起動します）。";
  const std::string moveOrDelete =
      "\r別の場所に移すか削除してから、ケルモをもう一度起動してください（既定の設定で起動します）。";
  const struct {
    SettingsProblem problem;
    std::string said;
  } cases[] = {
      {{SettingsFault::TooFewValues, 0, "", 3},
       "値が 3 つしかありません。1 行に 1 つずつ、7 つの値を書いてください。" + fixOrDelete},
      {{SettingsFault::TooFewValues, 0, "", 0},
       "値が 1 つもありません。1 行に 1 つずつ、7 つの値を書いてください。" + fixOrDelete},
      {{SettingsFault::TooLarge, 0, "", 65537},
       "ファイルが大きすぎます（65537 バイト）。ケルモの設定ファイルではないようです。" + moveOrDelete},
      {{SettingsFault::Unreadable, 0, "アクセスする権限がありません"},
       "ファイルを読み取れませんでした。アクセスする権限がありません。" + moveOrDelete},
  };
  for (const auto& c : cases) EXPECT_EQ(describeSettingsProblem("/home/u/kerumo.ini", c.problem), head + c.said);
}

SettingsProblem problemReading(const std::filesystem::path& path) {
  const auto read = readSettingsFile(path);
  EXPECT_TRUE(std::holds_alternative<SettingsProblem>(read));
  return std::holds_alternative<SettingsProblem>(read) ? std::get<SettingsProblem>(read) : SettingsProblem{};
}

// The text's own tests take every encoding; here, that reading goes through it.
TEST(SettingsFile, ReadsUpToTheSizeLimitAfterAByteOrderMarkAndRefusesOneByteMore) {
  TempDir dir;
  const std::string values = "600\r\n900\r\n0\r\n1\r\n1\r\n10\r\n10\r\n";
  writeFile(dir / "kerumo.ini", "\xEF\xBB\xBF" + values + std::string(SettingsMaxBytes - values.size() - 3, '\n'));
  const auto read = readSettingsFile(dir / "kerumo.ini");
  ASSERT_TRUE(std::holds_alternative<SettingsRecord>(read));
  EXPECT_EQ(std::get<SettingsRecord>(read), (SettingsRecord{600, 900, 0, 1, 1, 10, 10}));
  writeFile(dir / "kerumo.ini", values + std::string(SettingsMaxBytes - values.size() + 1, '\n'));
  const auto problem = problemReading(dir / "kerumo.ini");
  EXPECT_EQ(problem, (SettingsProblem{SettingsFault::TooLarge, 0, "", 65537}));
}

TEST(SettingsFile, BinaryContentsAreQuotedShortAndPrintable) {
  TempDir dir;
  std::string noise;
  for (int i = 0; i < 3000; ++i) noise += static_cast<char>((i * 151 + 7) % 256 == '\n' ? 1 : (i * 151 + 7) % 256);
  writeFile(dir / "kerumo.ini", noise);
  const auto problem = problemReading(dir / "kerumo.ini");
  EXPECT_EQ(problem.line, 1);
  EXPECT_LE(problem.found.size(), 40u * 4 + 3);
  for (const char c : problem.found) EXPECT_FALSE(c >= 0 && c < 0x20) << static_cast<int>(c);
}

}  // namespace
}  // namespace kerumo
