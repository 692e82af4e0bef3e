// The settings text, all seven lines: whatever is read lies within its
// line's range, and what Kerumo writes from it reads back the same.
#include <algorithm>
#include <cmath>
#include <variant>

#include "fuzz_check.h"
#include "shell/settings_file.h"

namespace {

std::array<double, 7> valuesOf(const kerumo::SettingsRecord& r) {
  return {r.top, r.left, double(r.topmostToggle), double(r.tempShown), double(r.warnEnabled),
          double(r.memThreshold), double(r.resThreshold)};
}

// Written: seven lines of an optional "-" and digits, each ended by CR LF;
// read back: the same values, positions as whole twips within their range.
void checkReadBack(const kerumo::SettingsRecord& written) {
  using kerumo::fuzz::require;
  const std::string text = kerumo::formatSettings(written);
  require(std::ranges::count(text, '\n') == 7 && text.ends_with("\r\n") &&
              std::ranges::all_of(text, [](char c) { return (c >= '0' && c <= '9') || c == '-' || c == '\r' || c == '\n'; }),
          "the writer writes seven plain lines");
  const kerumo::SettingsParse parsed = kerumo::parseSettings(text);
  const auto* read = std::get_if<kerumo::SettingsRecord>(&parsed);
  require(read != nullptr, "a file written by Kerumo is read");
  const auto before = valuesOf(written), after = valuesOf(*read);
  for (std::size_t i = 0; i < 7; ++i) {
    const auto [least, most] = kerumo::SettingsLineRanges[i];
    const double expected = i < 2 ? std::clamp(std::nearbyint(before[i]), least, most) : before[i];
    require(after[i] == expected, "a written file reads back the same");
  }
}

}  // namespace

KERUMO_FUZZ_TARGET(text, input) {
  const SettingsParse parsed = parseSettings(text);
  if (const auto* problem = std::get_if<SettingsProblem>(&parsed)) {
    std::size_t characters = 0;
    require(isUtf8(problem->found, &characters) && characters <= 41, "a bad value is quoted short, as UTF-8");
    require(problem->fault != SettingsFault::BadValue || problem->line >= 1, "a bad value names its line");
  } else {
    const auto values = valuesOf(std::get<SettingsRecord>(parsed));
    for (std::size_t i = 0; i < 7; ++i) {
      require(values[i] == std::trunc(values[i]), "values are whole numbers");
      require(values[i] >= SettingsLineRanges[i].least && values[i] <= SettingsLineRanges[i].most,
              "a value lies within its line's range");
    }
    checkReadBack(std::get<SettingsRecord>(parsed));
  }
  // Any record the program may hold, positions as fractions of twips.
  SettingsRecord held;
  held.top = input.ConsumeFloatingPoint<double>();
  held.left = input.ConsumeFloatingPoint<double>();
  for (int16_t* value : {&held.topmostToggle, &held.tempShown, &held.warnEnabled, &held.memThreshold, &held.resThreshold}) {
    *value = input.ConsumeIntegral<int16_t>();
  }
  checkReadBack(held);
}
