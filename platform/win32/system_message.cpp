#include "platform/win32/system_message.h"

#include <memory>

#include "platform/system_message.h"
#include "platform/win32/win32_api.h"

namespace kerumo::win32 {
namespace {

struct LocalMemoryFree {
  void operator()(wchar_t* text) const { LocalFree(text); }
};

}  // namespace

// The wide function: the ANSI one would give the system code page's bytes
// (CP932 on a Japanese Windows) inside our UTF-8 lines.
std::string systemMessage(unsigned long error) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  const std::unique_ptr<wchar_t, LocalMemoryFree> owned(buffer);
  if (length == 0 || buffer == nullptr) return "エラー番号 " + std::to_string(error);
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");
  return tidySystemMessage(std::u16string_view(reinterpret_cast<const char16_t*>(buffer), length));
}

}  // namespace kerumo::win32
