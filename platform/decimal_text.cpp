#include "platform/decimal_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kerumo {
namespace {

bool allDigits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string_view trimBlanks(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::optional<double> parseDecimal(std::string_view text) {
  text = trimBlanks(text);
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  const auto dot = text.find('.');
  const std::string_view whole = text.substr(0, dot);
  const std::string_view fraction = dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1);
  if ((whole.empty() && fraction.empty()) || !allDigits(whole) || !allDigits(fraction)) return std::nullopt;
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  // A fraction closer to zero than a double reaches is zero; a number too
  // large for one is not a number we can use.
  if (ec == std::errc::result_out_of_range && whole.find_first_not_of('0') == std::string_view::npos) {
    value = 0, ec = std::errc{};
  }
  if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

double roundHalfToEven(double value) {
  const double below = std::floor(value);
  const double rest = value - below;
  if (rest > 0.5) return below + 1;
  if (rest < 0.5) return below;
  return std::fmod(below, 2.0) == 0.0 ? below : below + 1;
}

}  // namespace kerumo
