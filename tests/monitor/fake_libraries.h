#pragma once
#include <string>

#include "fake_library.h"

namespace kerumo::testing {

// The test runner puts the full fakes on LD_LIBRARY_PATH; these lack one function each.
inline std::string partialFake(const char* file) { return std::string(KERUMO_FAKELIBS_PARTIAL_DIR) + "/" + file; }

}  // namespace kerumo::testing
