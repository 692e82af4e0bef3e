#include <cstdint>
#include <string>

#include "fake_log.h"

namespace {

int16_t& input() {
  static int16_t scripted = 52;
  return scripted;
}

}  // namespace

extern "C" {

void fake_script_input(int16_t value) { input() = value; }

int16_t KERUMO_LIBRARY_CALL InputPort(int32_t port) {
  fakeRecord(("InputPort " + std::to_string(port)).c_str());
  return input();
}
}
