#include <cstdint>
#include <string>

#include "fake_log.h"

extern "C" void KERUMO_LIBRARY_CALL OutputPort(int32_t port, int32_t value) {
  fakeRecord(("OutputPort " + std::to_string(port) + " " + std::to_string(value)).c_str());
}
