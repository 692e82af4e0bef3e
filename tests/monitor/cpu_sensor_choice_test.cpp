#include "monitor/cpu_sensor_choice.h"

#include <gtest/gtest.h>

#include "case_names.h"

namespace kerumo {
namespace {

struct Case {
  const char* what;
  std::vector<SensorCandidate> candidates;
  std::optional<int16_t> celsius;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }

// What the program would show: the chosen sensor's reading, if any.
std::optional<int16_t> shown(const std::vector<SensorCandidate>& candidates) {
  const auto chosen = chooseCpuSensor(candidates);
  if (!chosen || !candidates.at(*chosen).celsius) return std::nullopt;
  return wholeDegrees(*candidates.at(*chosen).celsius);
}

class CpuSensorChoice : public ::testing::TestWithParam<Case> {};

TEST_P(CpuSensorChoice, PicksTheProcessorsSensorByChipAndLabel) {
  EXPECT_EQ(shown(GetParam().candidates), GetParam().celsius) << GetParam().what;
}

const SensorCandidate Acpi{"acpitz", "temp1", 27.8};
const SensorCandidate Nvme{"nvme", "Composite", 38.0};

INSTANTIATE_TEST_SUITE_P(
    Table, CpuSensorChoice,
    ::testing::Values(
        Case{"nothing at all", {}, std::nullopt},
        Case{"nothing of the processor's", {Nvme, {"amdgpu", "edge", 60.0}}, std::nullopt},
        Case{"intel package before its cores and before acpi",
             {Acpi, {"coretemp", "Core 0", 61.0}, {"coretemp", "Package id 0", 55.4}}, 55},
        Case{"intel without a package: hottest core",
             {{"coretemp", "Core 0", 48.0}, {"coretemp", "Core 1", 63.6}, {"coretemp", "Core 2", 51.0}}, 64},
        Case{"a broken core is never the hottest",
             {{"coretemp", "Core 0", 48.0}, {"coretemp", "Core 1", 400.0}}, 48},
        Case{"amd die before control", {{"k10temp", "Tctl", 70.0}, {"k10temp", "Tdie", 60.0}}, 60},
        Case{"amd control when no die", {Acpi, {"k10temp", "Tccd1", 50.0}, {"k10temp", "Tctl", 52.4}}, 52},
        Case{"zenpower die", {{"zenpower", "Tctl", 71.0}, {"zenpower", "Tdie", 61.0}}, 61},
        Case{"arm cpu zone", {Acpi, {"soc_thermal", "temp1", 44.0}, {"cpu_thermal", "temp1", 47.2}}, 47},
        Case{"arm soc zone", {Nvme, {"soc_thermal", "temp1", 44.0}}, 44},
        Case{"acpi zone last of all", {Nvme, Acpi}, 28},
        Case{"hwmon-style names are not chip names", {{"hwmon0", "Package id 0", 50.0}}, std::nullopt},
        Case{"an absurd reading is no reading", {{"coretemp", "Package id 0", 255.0}}, std::nullopt},
        Case{"below freezing of any processor is no reading", {{"k10temp", "Tdie", -41.0}}, std::nullopt},
        Case{"the limits themselves are readings", {{"cpu_thermal", "temp1", -40.0}}, -40},
        Case{"an unreadable sensor is no reading", {{"coretemp", "Package id 0", std::nullopt}}, std::nullopt}),
    testing::CaseName());

TEST(CpuSensorChoiceDegrees, RoundsToWholeDegreesAndRejectsTheImpossible) {
  EXPECT_EQ(wholeDegrees(41.5), 42);
  EXPECT_EQ(wholeDegrees(41.49), 41);
  EXPECT_EQ(wholeDegrees(150.0), 150);
  EXPECT_EQ(wholeDegrees(150.1), std::nullopt);
  EXPECT_EQ(wholeDegrees(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
}

}  // namespace
}  // namespace kerumo
