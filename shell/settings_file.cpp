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
// Enough of a wrong value to recognise it; a whole line could fill the box.
constexpr std::size_t QuotedCharacters = 40;

constexpr int PositionValues = 2;
constexpr SettingsRange PositionRange = SettingsLineRanges[0];
constexpr SettingsRange SwitchRange = SettingsLineRanges[PositionValues];

// As the error box names it: "-32768～32767".
std::string describeRange(SettingsRange range) {
  return std::to_string(static_cast<int64_t>(range.least)) + "～" + std::to_string(static_cast<int64_t>(range.most));
}

std::optional<double> wholeNumberIn(std::string_view text, SettingsRange range) {
  const auto value = parseDecimal(text);
  if (!value) return std::nullopt;
  const double rounded = roundHalfToEven(*value);
  if (rounded < range.least || rounded > range.most) return std::nullopt;
  return rounded;
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
    return SettingsProblem{SettingsFault::NotARegularFile, 0, describeFileKind(other.kind)};
  }
  SettingsRead operator()(FileTooLarge large) const {
    return SettingsProblem{SettingsFault::TooLarge, 0, "", large.size};
  }
  SettingsRead operator()(const FileFailure& failure) const {
    return SettingsProblem{SettingsFault::Unreadable, 0, describeCause(failure.cause, failure.code)};
  }
};

// What is wrong, in one or two sentences.
std::string describeFault(const SettingsProblem& problem) {
  switch (problem.fault) {
    case SettingsFault::TooFewValues:
      return (problem.count == 0 ? std::string("値がありません")
                                 : "値が " + std::to_string(problem.count) + " 個しかありません") +
             "。1 行に 1 個ずつ、" + std::to_string(ValueCount) + " 個の値を記述してください。";
    case SettingsFault::BadValue:
      return std::to_string(problem.line) + " 行目の値「" + problem.found + "」が正しくありません。" +
             describeRange(problem.position ? PositionRange : SwitchRange) + " の数値を指定してください。";
    case SettingsFault::NotARegularFile:
      return "この場所にあるのは通常のファイルではなく、" + problem.found + "です。";
    case SettingsFault::TooLarge:
      return "ファイルのサイズが大きすぎます（" + std::to_string(problem.count) + " バイト）。ケルモの設定ファイルではない可能性があります。";
    case SettingsFault::Unreadable:
      return problem.found + "。";
  }
  return {};
}

// Whole twips, rounded as the reader rounds a fraction. No screen comes
// near the 32-bit limits (X itself stops at 32767 pixels); they only keep a
// wild value from giving a file the reader would refuse.
int64_t wholeTwips(double twips) {
  const double rounded = roundHalfToEven(twips);
  if (std::isnan(rounded)) return 0;
  return static_cast<int64_t>(std::clamp(rounded, PositionRange.least, PositionRange.most));
}

}  // namespace

SettingsParse parseSettings(std::string_view text) {
  const auto lines = valueLines(text);
  std::array<double, ValueCount> values{};
  for (int i = 0; i < ValueCount; ++i) {
    if (i >= static_cast<int>(lines.size())) {
      return SettingsProblem{SettingsFault::TooFewValues, 0, "", lines.size()};
    }
    const auto [lineNumber, field] = lines[static_cast<size_t>(i)];
    const auto value = wholeNumberIn(field, SettingsLineRanges[static_cast<size_t>(i)]);
    if (!value) {
      return SettingsProblem{SettingsFault::BadValue, lineNumber, printableExcerpt(field, QuotedCharacters), 0,
                             i < PositionValues};
    }
    values[static_cast<size_t>(i)] = *value;
  }
  const auto int16At = [&](int i) { return static_cast<int16_t>(values[static_cast<size_t>(i)]); };
  return SettingsRecord{values[0], values[1], int16At(2), int16At(3), int16At(4), int16At(5), int16At(6)};
}

std::string formatSettings(const SettingsRecord& r) {
  std::ostringstream out;
  for (const int64_t v : {wholeTwips(r.top), wholeTwips(r.left), int64_t{r.topmostToggle}, int64_t{r.tempShown},
                          int64_t{r.warnEnabled}, int64_t{r.memThreshold}, int64_t{r.resThreshold}}) {
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
  const bool valuesAtFault = problem.fault == SettingsFault::TooFewValues || problem.fault == SettingsFault::BadValue;
  return "設定ファイル「" + path.string() + "」を読み込めませんでした。\r" + describeFault(problem) + "\r" +
         (valuesAtFault ? "ファイルを修正するか削除してから、ケルモをもう一度起動してください（削除した場合は、既定の設定で起動します）。"
                        : "別の場所に移動するか削除してから、ケルモをもう一度起動してください（既定の設定で起動します）。");
}

std::string describeSettingsWriteFailure(const std::filesystem::path& path, const FileFailure& failure,
                                         bool oldFileKept) {
  return "設定を「" + path.string() + "」に保存できませんでした。\r" + describeFileFailure(failure) + "。\r" +
         (oldFileKept ? "以前の設定ファイルはそのまま残っています。"
                      : "設定ファイルはまだ作成されていないため、次回は既定の設定で起動します。");
}

}  // namespace kerumo
