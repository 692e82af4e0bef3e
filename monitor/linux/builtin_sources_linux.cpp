#include <chrono>

#include "monitor/builtin_sources.h"
#include "monitor/hwmon_ports.h"
#include "monitor/linux/proc_resource_info.h"
#include "monitor/linux/sensors_temperature.h"

namespace kerumo {

std::unique_ptr<ResourceInfo> makeBuiltinResourceInfo() { return std::make_unique<ProcResourceInfo>("/proc"); }

// libsensors has nothing to say: a missing sensor is the usual case on a
// virtual machine and no fault of the program.
std::unique_ptr<PortIo> makeBuiltinPortIo(std::ostream& /*diagnostics*/, std::shared_ptr<const CpuActivity>) {
  return std::make_unique<HwMonPorts>(
      std::make_unique<ResolvingTemperature>(resolveCpuSensor, [] { return std::chrono::steady_clock::now(); }));
}

const char* builtinResourceInfoOrigin() { return "/proc"; }

const char* builtinPortIoOrigin() { return "CPU 温度はカーネルのセンサーから取得します"; }

}  // namespace kerumo
