#include "platform/win32/win32_api.h"

#include <filesystem>
#include <utility>

#include "monitor/shared_library.h"
#include "platform/win32/system_message.h"

namespace kerumo {
namespace {

// Never the current directory: a library planted there must not run as us.
constexpr DWORD SafeSearch = LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32;

bool isPath(const std::string& name) { return name.find_first_of("/\\") != std::string::npos; }

HMODULE load(const std::string& name) {
  const std::filesystem::path path = std::filesystem::u8path(name);
  if (!isPath(name)) return LoadLibraryExW(path.c_str(), nullptr, SafeSearch);
  // A path names the file itself; its own directory serves its dependencies.
  const std::filesystem::path absolute = std::filesystem::absolute(path);
  return LoadLibraryExW(absolute.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// A process loads only libraries of its own width: the classic libraries
// are 32-bit, and the user may simply have taken the other program.
std::string describe(DWORD error) {
  if (error == ERROR_BAD_EXE_FORMAT) {
    return sizeof(void*) == 8 ? "32 ビット版のライブラリは kerumo32.exe でのみ使用できます"
                              : "64 ビット版のライブラリは kerumo.exe でのみ使用できます";
  }
  return win32::systemMessage(error);
}

// The two folders SafeSearch lets the loader look in.
std::filesystem::path programFolder() {
  std::wstring file(32768, L'\0');
  file.resize(GetModuleFileNameW(nullptr, file.data(), static_cast<DWORD>(file.size())));
  return std::filesystem::path(file).parent_path();
}

std::filesystem::path systemFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  folder.resize(GetSystemDirectoryW(folder.data(), static_cast<DWORD>(folder.size())));
  return folder;
}

bool fileExists(const std::filesystem::path& path) {
  std::error_code ignored;
  return std::filesystem::exists(path, ignored);
}

}  // namespace

std::optional<SharedLibrary> SharedLibrary::open(const std::string& name, std::string& error) {
  HMODULE module = load(name);
  if (module == nullptr) {
    error = describe(GetLastError());
    return std::nullopt;
  }
  return SharedLibrary(reinterpret_cast<void*>(module));
}

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
  std::swap(handle_, other.handle_);
  return *this;
}

SharedLibrary::~SharedLibrary() {
  if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
}

void* SharedLibrary::symbol(const char* name) const {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

// Windows gives the same error for a missing library and for a library whose
// own dependency is missing, so the file itself is looked for where the
// loader looked.
bool libraryIsAbsent(const std::string& name, const std::string& /*error*/) {
  const std::filesystem::path file = std::filesystem::u8path(name);
  if (isPath(name)) return !fileExists(file);
  return !fileExists(programFolder() / file) && !fileExists(systemFolder() / file);
}

std::string sharedLibraryFileName(std::string_view stem) { return std::string(stem) + ".dll"; }

}  // namespace kerumo
