#pragma once
#include <memory>
#include <optional>

#include "monitor/port_io.h"
#include "monitor/resolving_temperature.h"

namespace kerumo {

// The hardware-monitor chip at base 0x290 as the program talks to it: a
// register number written to the index port selects what the data port
// reads. Only the temperature register is emulated.
class HwMonPorts : public PortIo {
 public:
  static constexpr int32_t IndexPort = 0x295;
  static constexpr int32_t DataPort = 0x296;
  static constexpr int32_t TemperatureRegister = 0x27;

  explicit HwMonPorts(std::unique_ptr<TemperatureSource> temperature);
  void OutputPort(int32_t port, int32_t value) override;
  std::optional<int16_t> InputPort(int32_t port) override;

 private:
  std::unique_ptr<TemperatureSource> temperature_;
  std::optional<int32_t> selected_;
};

}  // namespace kerumo
