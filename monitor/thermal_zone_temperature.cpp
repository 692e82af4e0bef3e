#include "monitor/thermal_zone_temperature.h"

#include <algorithm>
#include <iomanip>
#include <sstream>

#include "monitor/cpu_sensor_choice.h"

namespace kerumo {
namespace {

constexpr double CelsiusZeroInKelvin = 273.15;

// A counter set the firmware did not publish, or one without instances, is
// no zone; anything else pdh.dll refuses is a reading that failed.
bool meansNoZone(PdhStatus status) {
  return status == pdh::NoObject || status == pdh::NoCounter || status == pdh::NoInstance || status == pdh::NoData;
}

ZoneFailure whyNot(PdhStatus status) { return meansNoZone(status) ? ZoneFailure::NoZone : ZoneFailure::NoReading; }

bool hasValue(const ZoneValue& zone) { return zone.status == pdh::ValidData || zone.status == pdh::NewData; }

double celsiusOf(double kelvin) { return kelvin - CelsiusZeroInKelvin; }

std::string hex(PdhStatus status) {
  std::ostringstream text;
  text << "0x" << std::hex << std::uppercase << std::setw(8) << std::setfill('0') << status;
  return text.str();
}

std::string degrees(double celsius) {
  std::ostringstream text;
  text << std::setprecision(4) << celsius;
  return text.str();
}

}  // namespace

std::string zoneFailureLine(ZoneFailure failure, PdhStatus status, double celsius) {
  switch (failure) {
    case ZoneFailure::NoZone:
      return "kerumo: この PC では Windows が温度ゾーン（Thermal Zone Information）を公開していないため、"
             "温度は「--」と表示します";
    case ZoneFailure::NoReading:
      return "kerumo: 温度ゾーンの値を取得できませんでした（PDH エラー " + hex(status) + "）。温度は「--」と表示します";
    case ZoneFailure::Absurd:
      return "kerumo: 温度ゾーンの値（" + degrees(celsius) + " ℃）が実際の温度とは考えられないため、"
             "温度は「--」と表示します";
    case ZoneFailure::Placeholder:
      return "kerumo: CPU 使用率が大きく変わっても温度ゾーンの値（" + degrees(celsius) +
             " ℃）が 10 分間変わらないため、ファームウェアの固定値とみなして使いません。"
             "ほかに温度ゾーンがなければ、温度は「--」と表示します";
  }
  return {};
}

ZoneChoice chooseZone(const std::vector<ZoneValue>& zones, bool tenthsOfKelvin, const std::vector<bool>& passedOver) {
  std::optional<double> best;
  std::optional<double> firstAbsurd;
  std::optional<PdhStatus> firstRefused;
  bool placeholderSeen = false;
  for (std::size_t i = 0; i < zones.size(); ++i) {
    const ZoneValue& zone = zones[i];
    if (!hasValue(zone)) {
      if (!firstRefused) firstRefused = zone.status;
      continue;
    }
    if (i < passedOver.size() && passedOver[i]) {
      placeholderSeen = true;
      continue;
    }
    const double zoneCelsius = celsiusOf(tenthsOfKelvin ? zone.value / 10 : zone.value);
    if (!wholeDegrees(zoneCelsius)) {
      if (!firstAbsurd) firstAbsurd = zoneCelsius;
      continue;
    }
    best = std::max(best.value_or(zoneCelsius), zoneCelsius);
  }
  if (best) return {wholeDegrees(*best)};
  if (firstAbsurd) return {std::nullopt, ZoneFailure::Absurd, pdh::ValidData, *firstAbsurd};
  if (zones.empty()) return {std::nullopt, ZoneFailure::NoZone};
  if (placeholderSeen) return {std::nullopt, ZoneFailure::Placeholder};
  return {std::nullopt, ZoneFailure::NoReading, *firstRefused};
}

ThermalZoneTemperature::ThermalZoneTemperature(std::unique_ptr<ZoneCounters> counters, std::ostream& diagnostics,
                                               std::shared_ptr<const CpuActivity> activity)
    : counters_(std::move(counters)), diagnostics_(diagnostics), activity_(std::move(activity)) {}

std::optional<int16_t> ThermalZoneTemperature::celsius() {
  if (!opened_) {
    opened_ = true;
    usable_ = open();
  }
  if (!usable_) return std::nullopt;
  const PdhStatus collected = counters_->collect();
  if (collected != pdh::ValidData) return fail(whyNot(collected), collected);
  const PdhStatus formatted = counters_->values(zones_);
  if (formatted != pdh::ValidData) return fail(whyNot(formatted), formatted);
  if (activity_) notePlaceholders();
  // Zones that give no value, an impossible one or a placeholder's are
  // passed over while another zone gives a plausible one.
  const ZoneChoice choice = chooseZone(zones_, tenthsOfKelvin_, placeholders_.passedOver());
  if (choice.celsius) return choice.celsius;
  return fail(choice.failure, choice.status, choice.absurdCelsius);
}

double ThermalZoneTemperature::zoneCelsius(const ZoneValue& zone) const {
  return celsiusOf(tenthsOfKelvin_ ? zone.value / 10 : zone.value);
}

void ThermalZoneTemperature::notePlaceholders() {
  raw_.resize(zones_.size());
  std::transform(zones_.begin(), zones_.end(), raw_.begin(),
                 [](const ZoneValue& zone) { return hasValue(zone) ? std::optional(zone.value) : std::nullopt; });
  const auto found = placeholders_.update(raw_, *activity_);
  if (!found.empty()) fail(ZoneFailure::Placeholder, pdh::ValidData, zoneCelsius(zones_[found.front()]));
}

// The finer counter where Windows has it. A counter set that is missing
// now will not appear while the program runs: the query is not retried.
bool ThermalZoneTemperature::open() {
  const PdhStatus opened = counters_->openQuery();
  if (opened != pdh::ValidData) {
    fail(ZoneFailure::NoReading, opened);
    return false;
  }
  tenthsOfKelvin_ = counters_->addCounter(HighPrecisionZonePath) == pdh::ValidData;
  if (tenthsOfKelvin_) return true;
  const PdhStatus added = counters_->addCounter(WholeKelvinZonePath);
  if (added == pdh::ValidData) return true;
  fail(whyNot(added), added);
  return false;
}

// Each kind of failure is said once a run: a tick repeats it twice a second.
std::nullopt_t ThermalZoneTemperature::fail(ZoneFailure failure, PdhStatus status, double celsius) {
  const auto kind = static_cast<std::size_t>(failure);
  if (!said_.test(kind)) {
    said_.set(kind);
    diagnostics_ << zoneFailureLine(failure, status, celsius) << '\n';
  }
  return std::nullopt;
}

}  // namespace kerumo
