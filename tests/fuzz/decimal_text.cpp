// The decimal text shared by the settings file and the dialog: a number is
// taken exactly when it is plain decimal, with the value strtod gives it,
// and rounding lands on the nearest whole number, a half on the even one.
#include <cmath>
#include <cstdlib>
#include <string>

#include "fuzz_check.h"
#include "platform/decimal_text.h"

using namespace kerumo;
using kerumo::fuzz::require;

namespace {

bool isPlainDecimal(std::string_view s) {
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
  std::size_t digits = 0, dots = 0;
  for (const char c : s) {
    if (c >= '0' && c <= '9') ++digits;
    else if (c == '.') ++dots;
    else return false;
  }
  return digits > 0 && dots <= 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string trimmed(trimBlanks(text));
  const auto value = parseDecimal(text);
  const double expected = std::strtod(trimmed.c_str(), nullptr);
  if (value) {
    require(isPlainDecimal(trimmed), "only plain decimal text is a number");
    require(*value == expected, "a number has the value strtod gives it");
  } else {
    require(!isPlainDecimal(trimmed) || !std::isfinite(expected), "plain decimal text is a number");
  }
  if (!value) return 0;
  const double rounded = roundHalfToEven(*value);
  require(rounded == std::nearbyint(*value), "rounding is to the nearest, a half to even");
  return 0;
}
