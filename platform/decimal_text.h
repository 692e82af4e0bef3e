#pragma once
#include <optional>
#include <string_view>

namespace kerumo {

// Drops blanks, tabs and carriage returns at both ends.
std::string_view trimBlanks(std::string_view text);

// A plain decimal number with optional surrounding blanks, sign and
// fraction ("12", " -3.5 ", "+.5"); anything else is not a number.
std::optional<double> parseDecimal(std::string_view text);

// Rounds to the nearest whole number, a half to the even neighbour.
double roundHalfToEven(double value);

}  // namespace kerumo
