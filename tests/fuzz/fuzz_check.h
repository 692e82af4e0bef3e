#pragma once
// What every fuzz target shares: its entry, and a property that fails stops
// the run with its input kept, as a crash would.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace kerumo::fuzz {

inline void require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

// Well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF);
// `characters` counts what was read.
inline bool isUtf8(std::string_view text, std::size_t* characters = nullptr) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++count) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5                  ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      c = c << 6 | (next & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return false;
    i += length;
  }
  if (characters) *characters = count;
  return true;
}

}  // namespace kerumo::fuzz

// The target's body, in kerumo::fuzz: one input as `text` and, from its
// start, as `input` for structured values.
#define KERUMO_FUZZ_TARGET(text, input)                                                  \
  namespace kerumo::fuzz {                                                               \
  void fuzzOne(std::string_view text, FuzzedDataProvider& input);                        \
  }                                                                                      \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {              \
    FuzzedDataProvider provider(data, size);                                             \
    kerumo::fuzz::fuzzOne({reinterpret_cast<const char*>(data), size}, provider);        \
    return 0;                                                                            \
  }                                                                                      \
  void kerumo::fuzz::fuzzOne(std::string_view text, [[maybe_unused]] FuzzedDataProvider& input)
