#pragma once
#include <string>
#include <string_view>

namespace kerumo {

// U+FFFD, shown where text cannot be decoded.
inline constexpr char32_t ReplacementCharacter = 0xFFFD;

// Appends one code point to `out` in UTF-8.
void appendUtf8(std::string& out, char32_t code);

// UTF-16 as the system or a file hands it over, in UTF-8; an unpaired
// surrogate becomes U+FFFD, so what comes out is always well-formed.
std::string utf8FromUtf16(std::u16string_view text);

}  // namespace kerumo
