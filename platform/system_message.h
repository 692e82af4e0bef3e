#pragma once
#include <string>
#include <string_view>

namespace kerumo {

// The operating system's own description of an error, as it hands it over
// in UTF-16, made ready to stand inside 「」 or （） in one of our lines: in
// UTF-8, without its trailing blanks, line ends and final "。" or ".".
// Unpaired surrogates become U+FFFD.
std::string tidySystemMessage(std::u16string_view text);

}  // namespace kerumo
