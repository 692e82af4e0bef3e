#include "shell/settings_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>
#include <vector>

#include "platform/decimal_text.h"
#include "platform/file_read.h"
#include "platform/file_replace.h"
#include "shell/file_messages.h"
#include "shell/settings_text.h"

namespace kerumo {
namespace {

constexpr int ValueCount = 7;
constexpr const char* ExpectedValue = "-32768～32767 の数値";
// Enough of a wrong value to recognise it; a whole line could fill the box.
constexpr std::size_t QuotedCharacters = 40;

std::optional<int16_t> toInt16(std::string_view text) {
  const auto value = parseDecimal(text);
  if (!value) return std::nullopt;
  const double rounded = roundHalfToEven(*value);
  if (rounded < -32768 || rounded > 32767) return std::nullopt;
  return static_cast<int16_t>(rounded);
}

std::vector<std::pair<int, std::string_view>> valueLines(std::string_view text) {
  std::vector<std::pair<int, std::string_view>> lines;
  int number = 0;
  while (!text.empty() && static_cast<int>(lines.size()) < ValueCount) {
    const auto end = text.find('\n');
    const std::string_view line = trimBlanks(text.substr(0, end));
    ++number;
    if (!line.empty()) lines.emplace_back(number, line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// Turns what stands at the path into what start-up needs to know.
struct SettingsReadOutcome {
  SettingsRead operator()(const std::string& bytes) const {
    SettingsParse parsed = parseSettings(settingsTextAsUtf8(bytes));
    if (auto* record = std::get_if<SettingsRecord>(&parsed)) return *record;
    return std::get<SettingsProblem>(parsed);
  }
  SettingsRead operator()(FileMissing) const { return SettingsMissing{}; }
  SettingsRead operator()(NotARegularFile other) const {
    return SettingsProblem{0, describeFileKind(other.kind), "通常のファイル"};
  }
  SettingsRead operator()(FileTooLarge large) const {
    return SettingsProblem{0, std::to_string(large.size) + " バイトのファイル（設定ファイルではありません）",
                           std::to_string(SettingsMaxBytes) + " バイト以下の設定ファイル"};
  }
  SettingsRead operator()(const FileFailure& failure) const {
    return SettingsProblem{0, "読み取れないファイル（" + describeCause(failure.cause, failure.code) + "）",
                           "読み取れるファイル"};
  }
};

// Whole twips, rounded as the reader rounds a fraction.
int16_t clampToInt16(double twips) {
  const double rounded = roundHalfToEven(twips);
  return static_cast<int16_t>(std::clamp(rounded, -32768.0, 32767.0));
}

}  // namespace

SettingsParse parseSettings(std::string_view text) {
  const auto lines = valueLines(text);
  std::array<int16_t, ValueCount> values{};
  for (int i = 0; i < ValueCount; ++i) {
    if (i >= static_cast<int>(lines.size())) {
      return SettingsProblem{0, std::to_string(lines.size()) + " 個の値", "7 個の値（1 行に 1 つ）"};
    }
    const auto [lineNumber, field] = lines[static_cast<size_t>(i)];
    const auto value = toInt16(field);
    if (!value) return SettingsProblem{lineNumber, printableExcerpt(field, QuotedCharacters), ExpectedValue};
    values[static_cast<size_t>(i)] = *value;
  }
  return SettingsRecord{static_cast<double>(values[0]), static_cast<double>(values[1]), values[2], values[3], values[4], values[5], values[6]};
}

std::string formatSettings(const SettingsRecord& r) {
  std::ostringstream out;
  for (const int v : {int{clampToInt16(r.top)}, int{clampToInt16(r.left)}, int{r.topmostToggle},
                      int{r.tempShown}, int{r.warnEnabled}, int{r.memThreshold}, int{r.resThreshold}}) {
    out << v << "\r\n";
  }
  return out.str();
}

SettingsRead readSettingsFile(const std::filesystem::path& path) {
  return std::visit(SettingsReadOutcome{}, readSmallFile(path, SettingsMaxBytes));
}

std::optional<FileFailure> writeSettingsFile(const std::filesystem::path& path, const SettingsRecord& record) {
  return replaceFileAtomically(path, formatSettings(record));
}

std::string describeSettingsProblem(const std::filesystem::path& path, const SettingsProblem& problem) {
  std::string where = problem.line > 0 ? std::to_string(problem.line) + " 行目: " : "";
  return "設定ファイル「" + path.string() + "」を読み込めません。\r" + where + "「" + problem.found +
         "」がありますが、" + problem.expected + "が必要です。\r" +
         "ファイルを修正するか、削除してからケルモを起動し直してください（削除すると既定の設定で起動します）。";
}

std::string describeSettingsWriteFailure(const std::filesystem::path& path, const FileFailure& failure) {
  return "設定ファイル「" + path.string() + "」に書き込めませんでした。\r" + describeFileFailure(failure) +
         "\r以前の設定ファイルはそのまま残っています。";
}

}  // namespace kerumo
