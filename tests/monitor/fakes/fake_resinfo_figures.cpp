#include <cstdint>

#include "fake_log.h"

namespace {

struct Figures {
  uint8_t first = 63, second = 11, third = 22, cpu = 30;
};

Figures& figures() {
  static Figures scripted;
  return scripted;
}

}  // namespace

extern "C" {

void fake_script_figures(uint8_t first, uint8_t second, uint8_t third, uint8_t cpu) {
  figures() = {first, second, third, cpu};
}

void KERUMO_LIBRARY_CALL GetResInfo(uint8_t* first, uint8_t* second, uint8_t* third) {
  fakeRecord("GetResInfo");
  *first = figures().first;
  *second = figures().second;
  *third = figures().third;
}

void KERUMO_LIBRARY_CALL GetCpuStart() { fakeRecord("GetCpuStart"); }

uint8_t KERUMO_LIBRARY_CALL GetCpuUsage() {
  fakeRecord("GetCpuUsage");
  return figures().cpu;
}
}
