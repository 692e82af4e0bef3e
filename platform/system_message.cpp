#include "platform/system_message.h"

#include "platform/utf8_text.h"

namespace kerumo {
namespace {

// Windows ends its messages with a line end, and a Japanese one with "。"
// before it; ours supply their own punctuation.
bool isTrailing(char16_t unit) {
  return unit == u'\r' || unit == u'\n' || unit == u' ' || unit == u'\t' || unit == u'。' || unit == u'.';
}

}  // namespace

std::string tidySystemMessage(std::u16string_view text) {
  while (!text.empty() && isTrailing(text.back())) text.remove_suffix(1);
  return utf8FromUtf16(text);
}

}  // namespace kerumo
