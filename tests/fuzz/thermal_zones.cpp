// The thermal-zone choice: the figure shown is the hottest plausible zone,
// within the range a processor can have, and a failure says the right why.
#include <cmath>

#include "fuzz_check.h"
#include "monitor/cpu_sensor_choice.h"
#include "monitor/thermal_zone_temperature.h"

KERUMO_FUZZ_TARGET(, input) {
  const bool tenths = input.ConsumeBool();
  const PdhStatus statuses[] = {pdh::ValidData, pdh::NewData, pdh::NoInstance, pdh::NoData, 0xC0000BC6};
  std::vector<ZoneValue> zones(input.ConsumeIntegralInRange<std::size_t>(0, 8));
  for (ZoneValue& zone : zones) zone = {input.PickValueInArray(statuses), input.ConsumeFloatingPoint<double>()};
  const ZoneChoice choice = chooseZone(zones, tenths);
  bool anyValue = false;
  std::optional<int16_t> hottest;
  for (const ZoneValue& zone : zones) {
    if (zone.status != pdh::ValidData && zone.status != pdh::NewData) continue;
    anyValue = true;
    const auto degrees = wholeDegrees((tenths ? zone.value / 10 : zone.value) - 273.15);
    if (degrees && (!hottest || *degrees > *hottest)) hottest = degrees;
  }
  require(choice.celsius == hottest, "the hottest plausible zone is shown");
  require(!choice.celsius || (*choice.celsius >= -40 && *choice.celsius <= 150), "a shown figure lies within -40..150");
  if (choice.celsius) return;
  require((choice.failure == ZoneFailure::NoZone) == zones.empty(), "no zone only when there is none");
  require((choice.failure == ZoneFailure::Absurd) == anyValue, "impossible only when some zone gave a value");
}
