#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kerumo {

// One temperature the kernel's sensors offer, named the way they name it.
struct SensorCandidate {
  std::string chip;   // chip prefix, e.g. "coretemp"
  std::string label;  // e.g. "Package id 0"
  std::optional<double> celsius;
};

// Which candidate is the processor's temperature, by chip name and label:
// Intel package (else its hottest core), AMD die (else control), the ARM
// thermal zones, then the ACPI zone.
std::optional<std::size_t> chooseCpuSensor(const std::vector<SensorCandidate>& candidates);

// The reading in whole degrees, or nothing for a sensor reporting what no
// processor can be at.
std::optional<int16_t> wholeDegrees(double celsius);

}  // namespace kerumo
