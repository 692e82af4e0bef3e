// The settings text, all seven lines: whatever is read lies within its
// line's range, and what Kerumo writes from it reads back the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <variant>

#include "fuzz_check.h"
#include "shell/settings_file.h"

using namespace kerumo;
using kerumo::fuzz::isUtf8;
using kerumo::fuzz::require;

namespace {

std::array<double, 7> valuesOf(const SettingsRecord& r) {
  return {r.top, r.left, double(r.topmostToggle), double(r.tempShown), double(r.warnEnabled),
          double(r.memThreshold), double(r.resThreshold)};
}

// Seven lines of an optional "-" and digits, each ended by CR LF.
bool isKerumosOwnForm(const std::string& text) {
  return std::count(text.begin(), text.end(), '\n') == 7 && text.ends_with("\r\n") &&
         std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || c == '-' || c == '\r' || c == '\n'; });
}

void checkReadBack(const SettingsRecord& written) {
  const std::string text = formatSettings(written);
  require(isKerumosOwnForm(text), "the writer writes seven plain lines");
  const SettingsParse parsed = parseSettings(text);
  const auto* read = std::get_if<SettingsRecord>(&parsed);
  require(read != nullptr, "a file written by Kerumo is read");
  const auto before = valuesOf(written), after = valuesOf(*read);
  for (std::size_t i = 0; i < 7; ++i) {
    const auto [least, most] = SettingsLineRanges[i];
    // Positions are written as whole twips, within the reader's range.
    const double expected = i < 2 ? std::clamp(std::nearbyint(before[i]), least, most) : before[i];
    require(after[i] == expected, "a written file reads back the same");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
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
  FuzzedDataProvider input(data, size);
  SettingsRecord held;
  held.top = input.ConsumeFloatingPoint<double>();
  held.left = input.ConsumeFloatingPoint<double>();
  for (int16_t* value : {&held.topmostToggle, &held.tempShown, &held.warnEnabled, &held.memThreshold, &held.resThreshold}) {
    *value = input.ConsumeIntegral<int16_t>();
  }
  checkReadBack(held);
  return 0;
}
