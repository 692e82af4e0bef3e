// The decimal text shared by the settings file and the dialog: a number is
// taken exactly when it is plain decimal, with the value strtod gives it,
// and rounding lands on the nearest whole number, a half on the even one.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "fuzz_check.h"
#include "platform/decimal_text.h"

KERUMO_FUZZ_TARGET(text, input) {
  const std::string trimmed(trimBlanks(text));
  std::string_view digits = trimmed;
  if (digits.starts_with('-') || digits.starts_with('+')) digits.remove_prefix(1);
  const bool plainDecimal = digits.find_first_not_of("0123456789.") == digits.npos &&
                            digits.find_first_of("0123456789") != digits.npos && std::ranges::count(digits, '.') <= 1;
  const auto value = parseDecimal(text);
  const double expected = std::strtod(trimmed.c_str(), nullptr);
  require(value.has_value() == (plainDecimal && std::isfinite(expected)), "plain decimal text, and only it, is a number");
  if (!value) return;
  require(*value == expected, "a number has the value strtod gives it");
  require(roundHalfToEven(*value) == std::nearbyint(*value), "rounding is to the nearest, a half to even");
}
