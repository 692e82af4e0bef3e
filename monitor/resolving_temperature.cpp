#include "monitor/resolving_temperature.h"

#include <algorithm>

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
    fruitlessSearches_ = sensor_ ? 0 : fruitlessSearches_ + 1;
    if (!sensor_) return std::nullopt;
    reading = sensor_->read();
  }
  // An absurd figure is a broken sensor, not a vanished one: keep it.
  return reading ? wholeDegrees(*reading) : std::nullopt;
}

bool ResolvingTemperature::mayResolve() {
  const auto now = now_();
  if (lastResolve_ && now - *lastResolve_ < retryInterval()) return false;
  lastResolve_ = now;
  return true;
}

// 5 s after a find or the first fruitless search, then doubling.
std::chrono::seconds ResolvingTemperature::retryInterval() const {
  std::chrono::seconds wait = RetryInterval;
  for (int search = 1; search < fruitlessSearches_ && wait < LongestRetryInterval; ++search) wait *= 2;
  return std::min(wait, LongestRetryInterval);
}

}  // namespace kerumo
