#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>

namespace kerumo {

// The contract of the raw I/O-port library.
class PortIo {
 public:
  virtual ~PortIo() = default;
  virtual void OutputPort(int32_t port, int32_t value) = 0;
  // The value read from the port, or nothing when the port cannot be read
  // (no port library, no sensor, a register nobody emulates).
  virtual std::optional<int16_t> InputPort(int32_t port) = 0;
};

class CpuActivity;

// Loads "vbioport32" by name, or falls back to the built-in emulation of the
// hardware-monitor chip, which may read `activity`. Says once on
// `diagnostics` which source it uses.
std::unique_ptr<PortIo> loadPortIo(std::ostream& diagnostics, std::shared_ptr<const CpuActivity> activity = nullptr);

}  // namespace kerumo
