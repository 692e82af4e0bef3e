#include "shell/settings_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "platform/file_replace.h"

namespace kerumo {
namespace {

constexpr int ValueCount = 7;
constexpr const char* ExpectedValue = "-32768～32767 の数値";

std::string_view trimBlanks(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// A plain decimal number: optional sign, digits, optional fraction.
bool isPlainDecimal(std::string_view s) {
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
  const auto dot = s.find('.');
  const std::string_view whole = s.substr(0, dot);
  const std::string_view fraction = dot == std::string_view::npos ? std::string_view{} : s.substr(dot + 1);
  const auto digits = [](std::string_view d) { return std::all_of(d.begin(), d.end(), [](char c) { return c >= '0' && c <= '9'; }); };
  return !(whole.empty() && fraction.empty()) && digits(whole) && digits(fraction);
}

double roundHalfToEven(double value) {
  const double below = std::floor(value);
  const double rest = value - below;
  if (rest > 0.5) return below + 1;
  if (rest < 0.5) return below;
  return std::fmod(below, 2.0) == 0.0 ? below : below + 1;
}

std::optional<int16_t> toInt16(std::string_view text) {
  if (!isPlainDecimal(text)) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  const double rounded = roundHalfToEven(value);
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

int16_t clampToInt16(double twips) {
  const double rounded = std::round(twips);
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
    if (!value) return SettingsProblem{lineNumber, std::string(field), ExpectedValue};
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
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return SettingsMissing{};
  std::ifstream in(path, std::ios::binary);
  if (!in) return SettingsProblem{0, "読み取れないファイル", "読み取り可能なテキストファイル"};
  std::ostringstream contents;
  contents << in.rdbuf();
  SettingsParse parsed = parseSettings(contents.str());
  if (auto* record = std::get_if<SettingsRecord>(&parsed)) return *record;
  return std::get<SettingsProblem>(parsed);
}

std::optional<std::string> writeSettingsFile(const std::filesystem::path& path, const SettingsRecord& record) {
  return replaceFileAtomically(path, formatSettings(record));
}

std::string describeSettingsProblem(const std::filesystem::path& path, const SettingsProblem& problem) {
  std::string where = problem.line > 0 ? std::to_string(problem.line) + " 行目: " : "";
  return "設定ファイル「" + path.string() + "」を読み込めません。\r" + where + "「" + problem.found +
         "」がありますが、" + problem.expected + "が必要です。\r" +
         "ファイルを修正するか、削除してからケルモを起動し直してください（削除すると既定の設定で起動します）。";
}

}  // namespace kerumo
