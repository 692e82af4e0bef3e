#include <dlfcn.h>

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

std::string sharedLibraryFileName(std::string_view stem) { return "lib" + std::string(stem) + ".so"; }

}  // namespace kerumo
