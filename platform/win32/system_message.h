#pragma once
#include <string>

namespace kerumo::win32 {

// Windows' own description of `error` (a GetLastError code) in the user's
// language, from FormatMessageW, tidied by tidySystemMessage; the number
// when Windows has no text for it.
std::string systemMessage(unsigned long error);

}  // namespace kerumo::win32
