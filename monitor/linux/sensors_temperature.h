#pragma once
#include <memory>

#include "monitor/resolving_temperature.h"

namespace kerumo {

// Finds the processor's temperature among the kernel's sensors; nothing when
// the system has none that qualifies.
std::unique_ptr<TemperatureSensor> resolveCpuSensor();

}  // namespace kerumo
