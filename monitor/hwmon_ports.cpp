#include "monitor/hwmon_ports.h"

namespace kerumo {

HwMonPorts::HwMonPorts(std::unique_ptr<TemperatureSource> temperature) : temperature_(std::move(temperature)) {}

void HwMonPorts::OutputPort(int32_t port, int32_t value) {
  if (port == IndexPort) selected_ = value;
}

std::optional<int16_t> HwMonPorts::InputPort(int32_t port) {
  if (port != DataPort || selected_ != TemperatureRegister) return std::nullopt;
  return temperature_->celsius();
}

}  // namespace kerumo
