#include "fake_log.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// A C library has nowhere else to keep it; the log lives as long as the
// library stays loaded.
std::string& log() {
  static std::string calls;
  return calls;
}

// A test that cannot reach into the process the library runs in names a
// file for the calls instead; both libraries append to it in call order.
void appendToCallsFile(const char* call) {
  const char* file = std::getenv("KERUMO_FAKE_CALLS_FILE");
  if (file == nullptr || *file == '\0') return;
  std::ofstream(file, std::ios::app) << call << ';';
}

}  // namespace

void fakeRecord(const char* call) {
  log().append(call).push_back(';');
  appendToCallsFile(call);
}

extern "C" {
const char* fake_calls() { return log().c_str(); }
void fake_reset() { log().clear(); }
}
