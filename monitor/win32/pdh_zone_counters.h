#pragma once
#include <memory>

#include "monitor/thermal_zone_temperature.h"

namespace kerumo {

// The thermal zones' counters through pdh.dll, looked up when the program
// runs rather than linked. Where pdh.dll or one of its functions cannot be
// had, every call answers with the loader's error.
std::unique_ptr<ZoneCounters> openPdhZoneCounters();

}  // namespace kerumo
