#pragma once
#include <string>

namespace kerumo::win32 {

// The core speaks UTF-8; the window system's W functions speak UTF-16.
std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);

// The core's prompts break lines with a lone carriage return; the message
// box wants CR LF.
std::string withCrLf(const std::string& text);

}  // namespace kerumo::win32
