#include "shell/settings_text.h"

#include <cstdint>

#include "platform/utf8_text.h"

namespace kerumo {
namespace {

// A file saved as UTF-16 with a byte-order mark; an odd byte at the end is
// half a unit, shown as U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<uint8_t>(bytes[i]);
    const auto second = static_cast<uint8_t>(bytes[i + 1]);
    units += static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
  }
  std::string out = utf8FromUtf16(units);
  if (bytes.size() % 2 != 0) appendUtf8(out, ReplacementCharacter);
  return out;
}

// Length of the well-formed UTF-8 sequence at the start of `text`, or 0.
std::size_t sequenceLength(std::string_view text) {
  const auto lead = static_cast<uint8_t>(text[0]);
  std::size_t length = 0;
  char32_t least = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead < 0xE0) length = 2, least = 0x80;
  else if (lead >= 0xE0 && lead < 0xF0) length = 3, least = 0x800;
  else if (lead >= 0xF0 && lead < 0xF5) length = 4, least = 0x10000;
  else return 0;
  if (text.size() < length) return 0;
  char32_t c = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<uint8_t>(text[k]);
    if ((next & 0xC0) != 0x80) return 0;
    c = (c << 6) | (next & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return 0;
  return length;
}

}  // namespace

std::string settingsTextAsUtf8(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return std::string(bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) return utf16ToUtf8(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return utf16ToUtf8(bytes.substr(2), true);
  return std::string(bytes);
}

std::string printableExcerpt(std::string_view text, std::size_t maxCharacters) {
  std::string out;
  std::size_t characters = 0;
  while (!text.empty()) {
    if (characters == maxCharacters) return out + "…";
    const std::size_t length = sequenceLength(text);
    const auto first = static_cast<uint8_t>(text[0]);
    if (length == 0 || (length == 1 && (first < 0x20 || first == 0x7F))) {
      appendUtf8(out, ReplacementCharacter);
      text.remove_prefix(1);
    } else {
      out += text.substr(0, length);
      text.remove_prefix(length);
    }
    ++characters;
  }
  return out;
}

}  // namespace kerumo
