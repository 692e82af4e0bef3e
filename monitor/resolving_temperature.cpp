#include "monitor/resolving_temperature.h"

#include "monitor/cpu_sensor_choice.h"

namespace kerumo {

ResolvingTemperature::ResolvingTemperature(SensorResolver resolve, SteadyClock now)
    : resolve_(std::move(resolve)), now_(std::move(now)) {}

std::optional<int16_t> ResolvingTemperature::celsius() {
  std::optional<double> reading = sensor_ ? sensor_->read() : std::nullopt;
  if (!reading) {
    // The old sensor goes first: it may hold what the resolver needs.
    sensor_.reset();
    if (!mayResolve()) return std::nullopt;
    sensor_ = resolve_();
    if (!sensor_) return std::nullopt;
    reading = sensor_->read();
  }
  // An absurd figure is a broken sensor, not a vanished one: keep it.
  return reading ? wholeDegrees(*reading) : std::nullopt;
}

bool ResolvingTemperature::mayResolve() {
  const auto now = now_();
  if (lastResolve_ && now - *lastResolve_ < RetryInterval) return false;
  lastResolve_ = now;
  return true;
}

}  // namespace kerumo
