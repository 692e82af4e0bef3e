#pragma once
#include "monitor/port_io.h"

namespace kerumo {

// Windows gives a program no port access of its own: without the port
// library nothing can be read, and the meter shows no temperature.
class NoPorts : public PortIo {
 public:
  void OutputPort(int32_t, int32_t) override {}
  std::optional<int16_t> InputPort(int32_t) override { return std::nullopt; }
};

}  // namespace kerumo
