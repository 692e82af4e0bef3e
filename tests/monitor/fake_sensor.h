#pragma once
#include <memory>
#include <optional>

#include "monitor/resolving_temperature.h"

namespace kerumo::testing {

// A sensor whose reading the test sets; it stays readable until told not to.
struct SensorScript {
  std::optional<double> reading = 45.0;
  bool present = true;
  int resolves = 0;
};

class FakeSensor : public TemperatureSensor {
 public:
  explicit FakeSensor(SensorScript& script) : script_(script) {}
  std::optional<double> read() override { return script_.present ? script_.reading : std::nullopt; }

 private:
  SensorScript& script_;
};

inline SensorResolver fakeResolver(SensorScript& script) {
  return [&script]() -> std::unique_ptr<TemperatureSensor> {
    ++script.resolves;
    if (!script.present) return nullptr;
    return std::make_unique<FakeSensor>(script);
  };
}

}  // namespace kerumo::testing
