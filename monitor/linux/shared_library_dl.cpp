#include <dlfcn.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "monitor/shared_library.h"

namespace kerumo {

std::optional<SharedLibrary> SharedLibrary::open(const std::string& name, std::string& error) {
  void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    error = why != nullptr ? why : "原因は不明です";
    return std::nullopt;
  }
  return SharedLibrary(handle);
}

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
  std::swap(handle_, other.handle_);
  return *this;
}

SharedLibrary::~SharedLibrary() {
  if (handle_ != nullptr) dlclose(handle_);
}

void* SharedLibrary::symbol(const char* name) const { return dlsym(handle_, name); }

// The loader names the file it could not find, then the system's words for
// "no such file", both in the current locale. A library that is there but
// needs a missing one is named with that other library instead, so it does
// not count as absent.
bool libraryIsAbsent(const std::string& name, const std::string& error) {
  const std::string notFound = std::string(": ") + std::strerror(ENOENT);
  return error.starts_with(name + ": ") && error.ends_with(notFound);
}

std::string sharedLibraryFileName(std::string_view stem) { return "lib" + std::string(stem) + ".so"; }

}  // namespace kerumo
