#include <cstdint>

#include "fake_log.h"

namespace {

uint8_t& memory() {
  static uint8_t scripted = 40;
  return scripted;
}

}  // namespace

extern "C" {

void fake_script_memory(uint8_t value) { memory() = value; }

uint8_t KERUMO_LIBRARY_CALL MemoryLoad() {
  fakeRecord("MemoryLoad");
  return memory();
}
}
