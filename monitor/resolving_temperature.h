#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace kerumo {

// The processor's temperature, whatever stands behind it.
class TemperatureSource {
 public:
  virtual ~TemperatureSource() = default;
  virtual std::optional<int16_t> celsius() = 0;
};

// One sensor found on the system.
class TemperatureSensor {
 public:
  virtual ~TemperatureSensor() = default;
  // The current reading, or nothing when the sensor can no longer be read.
  virtual std::optional<double> read() = 0;
};

using SensorResolver = std::function<std::unique_ptr<TemperatureSensor>()>;
using SteadyClock = std::function<std::chrono::steady_clock::time_point()>;

// Finds the sensor once and rereads only its value; finds it again when it
// stops answering, but no more often than every few seconds, because finding
// it walks every chip the kernel knows. A sensor that vanished is usually
// back within seconds (a driver reloaded, a resume); one that search after
// search is not found is likely not there at all, so the searches thin out
// to one a minute.
class ResolvingTemperature : public TemperatureSource {
 public:
  static constexpr std::chrono::seconds RetryInterval{5};
  static constexpr std::chrono::seconds LongestRetryInterval{60};

  ResolvingTemperature(SensorResolver resolve, SteadyClock now);
  std::optional<int16_t> celsius() override;

 private:
  bool mayResolve();
  std::chrono::seconds retryInterval() const;

  SensorResolver resolve_;
  SteadyClock now_;
  std::unique_ptr<TemperatureSensor> sensor_;
  std::optional<std::chrono::steady_clock::time_point> lastResolve_;
  int fruitlessSearches_ = 0;
};

}  // namespace kerumo
