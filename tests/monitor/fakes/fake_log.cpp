#include "fake_log.h"

#include <string>

namespace {

// A C library has nowhere else to keep it; the log lives as long as the
// library stays loaded.
std::string& log() {
  static std::string calls;
  return calls;
}

}  // namespace

void fakeRecord(const char* call) { log().append(call).push_back(';'); }

extern "C" {
const char* fake_calls() { return log().c_str(); }
void fake_reset() { log().clear(); }
}
