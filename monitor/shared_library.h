#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace kerumo {

// A library loaded at run time, unloaded when the last copy goes.
class SharedLibrary {
 public:
  // Loads `name` through the loader's usual search, or the file itself when
  // `name` is a path. On failure, `error` says why.
  static std::optional<SharedLibrary> open(const std::string& name, std::string& error);

  SharedLibrary(SharedLibrary&& other) noexcept;
  SharedLibrary& operator=(SharedLibrary&& other) noexcept;
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;
  ~SharedLibrary();

  // The C function exported as `name`, or null.
  template <class Function>
  Function* function(const char* name) const {
    return reinterpret_cast<Function*>(symbol(name));
  }

 private:
  explicit SharedLibrary(void* handle) : handle_(handle) {}
  void* symbol(const char* name) const;

  void* handle_ = nullptr;
};

// Whether `error`, as open() gave it for `name`, means there is no such file
// where the loader looks, rather than a file it could not load. An optional
// library that is absent is the usual case and worth no word.
bool libraryIsAbsent(const std::string& name, const std::string& error);

// The file name the system gives the library called `stem`.
std::string sharedLibraryFileName(std::string_view stem);

}  // namespace kerumo
