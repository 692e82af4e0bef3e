#include "shell/settings_text.h"

#include <gtest/gtest.h>

namespace kerumo {
namespace {

using namespace std::string_literals;

TEST(SettingsText, TakesUtf8WithOrWithoutItsByteOrderMarkAndUtf16WithOne) {
  const struct {
    const char* what;
    std::string bytes;
    std::string text;
  } cases[] = {
      {"plain", "600\r\n", "600\r\n"},
      {"UTF-8 mark", "\xEF\xBB\xBF" "600\r\n", "600\r\n"},
      {"UTF-16 little endian", "\xFF\xFE" "6\0" "0\0" "\r\0" "\n\0"s, "60\r\n"},
      {"UTF-16 big endian", "\xFE\xFF" "\0" "6" "\0" "0" "\0" "\n"s, "60\n"},
      {"UTF-16 Japanese", "\xFF\xFE" "\x8A\x30" "\xCB\x7A"s, "り立"},
      {"UTF-16 pair", "\xFF\xFE" "\x3D\xD8\x00\xDE"s, "\xF0\x9F\x98\x80"},
      {"UTF-16 lone surrogate", "\xFF\xFE" "\x3D\xD8" "1\0"s, "\xEF\xBF\xBD" "1"},
      {"UTF-16 odd byte at the end", "\xFF\xFE" "1\0" "2"s, "1\xEF\xBF\xBD"},
      {"mark only", "\xFF\xFE", ""},
      {"a mark later on is left alone", "1\xEF\xBB\xBF", "1\xEF\xBB\xBF"},
  };
  for (const auto& c : cases) EXPECT_EQ(settingsTextAsUtf8(c.bytes), c.text) << c.what;
}

TEST(SettingsText, ExcerptIsShortAndShowsOnlyPrintableText) {
  const struct {
    const char* what;
    std::string text;
    std::string shown;
  } cases[] = {
      {"short text as it is", "abc", "abc"},
      {"Japanese counts by character", "設定ファイル", "設定フ…"},
      {"cut after the limit", "abcdef", "abc…"},
      {"control characters", "a\x01\t", "a\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"NUL", "a\0b"s, "a\xEF\xBF\xBD" "b"},
      {"bytes that are not UTF-8", "\xFF\xC3", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"overlong form", "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"encoded surrogate", "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"exactly the limit", "abc", "abc"},
  };
  for (const auto& c : cases) EXPECT_EQ(printableExcerpt(c.text, 3), c.shown) << c.what;
}

}  // namespace
}  // namespace kerumo
