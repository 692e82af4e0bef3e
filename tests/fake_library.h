#pragma once
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "monitor/shared_library.h"

namespace kerumo::testing {

// The test's own hold on a stand-in library: the same copy the adapter
// loads, so its script and call log are shared with it.
class FakeLibrary {
 public:
  explicit FakeLibrary(const std::string& name) : library_(open(name)) {
    library_.function<void()>("fake_reset")();
  }

  std::string calls() const { return library_.function<const char*()>("fake_calls")(); }

  template <class Function, class... Args>
  void script(const char* name, Args... args) const {
    Function* function = library_.function<Function>(name);
    ASSERT_NE(function, nullptr) << name;
    function(args...);
  }

 private:
  static SharedLibrary open(const std::string& name) {
    std::string error;
    std::optional<SharedLibrary> library = SharedLibrary::open(name, error);
    if (!library) throw std::runtime_error("cannot load the stand-in " + name + ": " + error);
    return std::move(*library);
  }

  SharedLibrary library_;
};

}  // namespace kerumo::testing
