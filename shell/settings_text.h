#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace kerumo {

// The settings file's bytes as UTF-8: a UTF-8 byte-order mark is dropped,
// and UTF-16 with a byte-order mark (little or big endian) is converted.
// Anything else is taken as it is.
std::string settingsTextAsUtf8(std::string_view bytes);

// Text from a file fit to quote in a message: at most `maxCharacters`
// characters (then "…"), with control characters and bytes that are not
// UTF-8 shown as "�".
std::string printableExcerpt(std::string_view text, std::size_t maxCharacters);

}  // namespace kerumo
