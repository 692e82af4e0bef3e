#include "monitor/builtin_sources.h"
#include "monitor/hwmon_ports.h"
#include "monitor/win32/pdh_zone_counters.h"
#include "monitor/win32/system_resource_info.h"

namespace kerumo {

std::unique_ptr<ResourceInfo> makeBuiltinResourceInfo() { return std::make_unique<SystemResourceInfo>(); }

std::unique_ptr<PortIo> makeBuiltinPortIo(std::ostream& diagnostics, std::shared_ptr<const CpuActivity> activity) {
  return std::make_unique<HwMonPorts>(
      std::make_unique<ThermalZoneTemperature>(openPdhZoneCounters(), diagnostics, std::move(activity)));
}

const char* builtinResourceInfoOrigin() { return "Windows"; }

const char* builtinPortIoOrigin() { return "CPU 温度は Windows の温度ゾーンから取得します"; }

}  // namespace kerumo
