#include "monitor/cpu_sensor_choice.h"

#include <gtest/gtest.h>

#include <limits>

namespace kerumo {
namespace {

// What the program would show: the chosen sensor's reading, if any.
std::optional<int16_t> shown(const std::vector<SensorCandidate>& candidates) {
  const auto chosen = chooseCpuSensor(candidates);
  if (!chosen || !candidates.at(*chosen).celsius) return std::nullopt;
  return wholeDegrees(*candidates.at(*chosen).celsius);
}

TEST(CpuSensorChoice, PicksTheProcessorsSensorByChipAndLabel) {
  const SensorCandidate acpi{"acpitz", "temp1", 27.8};
  const SensorCandidate nvme{"nvme", "Composite", 38.0};
  const struct {
    const char* what;
    std::vector<SensorCandidate> candidates;
    std::optional<int16_t> celsius;
  } cases[] = {
      {"nothing at all", {}, std::nullopt},
      {"nothing of the processor's", {nvme, {"amdgpu", "edge", 60.0}}, std::nullopt},
      {"intel package before its cores and before acpi",
       {acpi, {"coretemp", "Core 0", 61.0}, {"coretemp", "Package id 0", 55.4}}, 55},
      {"intel without a package: hottest core",
       {{"coretemp", "Core 0", 48.0}, {"coretemp", "Core 1", 63.6}, {"coretemp", "Core 2", 51.0}}, 64},
      {"a broken core is never the hottest", {{"coretemp", "Core 0", 48.0}, {"coretemp", "Core 1", 400.0}}, 48},
      {"amd die before control", {{"k10temp", "Tctl", 70.0}, {"k10temp", "Tdie", 60.0}}, 60},
      {"amd control when no die", {acpi, {"k10temp", "Tccd1", 50.0}, {"k10temp", "Tctl", 52.4}}, 52},
      {"zenpower die", {{"zenpower", "Tctl", 71.0}, {"zenpower", "Tdie", 61.0}}, 61},
      {"arm cpu zone", {acpi, {"soc_thermal", "temp1", 44.0}, {"cpu_thermal", "temp1", 47.2}}, 47},
      {"arm soc zone", {nvme, {"soc_thermal", "temp1", 44.0}}, 44},
      {"acpi zone last of all", {nvme, acpi}, 28},
      {"hwmon-style names are not chip names", {{"hwmon0", "Package id 0", 50.0}}, std::nullopt},
      {"an absurd reading is no reading", {{"coretemp", "Package id 0", 255.0}}, std::nullopt},
      {"below freezing of any processor is no reading", {{"k10temp", "Tdie", -41.0}}, std::nullopt},
      {"the limits themselves are readings", {{"cpu_thermal", "temp1", -40.0}}, -40},
      {"an unreadable sensor is no reading", {{"coretemp", "Package id 0", std::nullopt}}, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(shown(c.candidates), c.celsius) << c.what;
}

TEST(CpuSensorChoice, RoundsToWholeDegreesAndRejectsTheImpossible) {
  EXPECT_EQ(wholeDegrees(41.5), 42);
  EXPECT_EQ(wholeDegrees(41.49), 41);
  EXPECT_EQ(wholeDegrees(150.0), 150);
  EXPECT_EQ(wholeDegrees(150.1), std::nullopt);
  EXPECT_EQ(wholeDegrees(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
}

}  // namespace
}  // namespace kerumo
