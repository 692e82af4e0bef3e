// The sensor choice: a known processor sensor is chosen, in the order of
// preference, and never one past the list.
#include <algorithm>

#include "fuzz_check.h"
#include "monitor/cpu_sensor_choice.h"

KERUMO_FUZZ_TARGET(, input) {
  const char* chips[] = {"coretemp", "k10temp", "zenpower", "cpu_thermal", "soc_thermal", "acpitz", "nvme", ""};
  const char* labels[] = {"Package id 0", "Core 0", "Core 12", "Tdie", "Tctl", "temp1", "Composite", ""};
  std::vector<SensorCandidate> candidates(input.ConsumeIntegralInRange<std::size_t>(0, 10));
  for (SensorCandidate& c : candidates) {
    c.chip = input.ConsumeBool() ? input.PickValueInArray(chips) : input.ConsumeRandomLengthString(12);
    c.label = input.ConsumeBool() ? input.PickValueInArray(labels) : input.ConsumeRandomLengthString(12);
    if (input.ConsumeBool()) c.celsius = input.ConsumeFloatingPoint<double>();
  }
  const auto chosen = chooseCpuSensor(candidates);
  const auto known = [](const SensorCandidate& c) {
    if (c.chip == "coretemp") return c.label == "Package id 0" || c.label.starts_with("Core ");
    if (c.chip == "k10temp" || c.chip == "zenpower") return c.label == "Tdie" || c.label == "Tctl";
    return c.chip == "cpu_thermal" || c.chip == "soc_thermal" || c.chip == "acpitz";
  };
  require(chosen.has_value() == std::any_of(candidates.begin(), candidates.end(), known), "a known sensor is chosen");
  if (chosen) require(*chosen < candidates.size() && known(candidates[*chosen]), "the choice is a known sensor");
  const auto package = std::find_if(candidates.begin(), candidates.end(),
                                    [](const SensorCandidate& c) { return c.chip == "coretemp" && c.label == "Package id 0"; });
  if (package != candidates.end()) require(*chosen == std::size_t(package - candidates.begin()), "Intel's package comes first");
  const double celsius = input.ConsumeFloatingPoint<double>();
  const auto degrees = wholeDegrees(celsius);
  require(degrees.has_value() == (celsius >= -40 && celsius <= 150), "plausible readings, and only they, are shown");
  require(!degrees || (*degrees >= -40 && *degrees <= 150), "a shown reading lies within -40..150");
}
