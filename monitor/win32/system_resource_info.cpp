#include "monitor/win32/system_resource_info.h"

#include "platform/win32/win32_api.h"
#include <psapi.h>

#include "monitor/memory_figures.h"

namespace kerumo {
namespace {

uint64_t ticks(const FILETIME& time) { return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime; }

}  // namespace

void SystemResourceInfo::GetResInfo(uint8_t* first, uint8_t* second, uint8_t* third) {
  PERFORMANCE_INFORMATION info{};
  if (GetPerformanceInfo(&info, sizeof info) && info.CommitLimit >= info.CommitTotal) {
    freeCommit_ = roundedPercent(info.CommitLimit - info.CommitTotal, info.CommitLimit).value_or(freeCommit_);
  }
  *first = freeCommit_;
  *second = freeCommit_;
  *third = freeCommit_;
}

uint8_t SystemResourceInfo::GetCpuUsage() {
  FILETIME idle{}, kernel{}, user{};
  if (!GetSystemTimes(&idle, &kernel, &user)) return meter_.last();
  // Kernel time includes the idle time.
  const uint64_t idleTicks = ticks(idle);
  const uint64_t kernelTicks = ticks(kernel);
  if (kernelTicks < idleTicks) return meter_.last();
  return meter_.sample(CpuTimes{kernelTicks - idleTicks + ticks(user), idleTicks});
}

uint8_t SystemResourceInfo::MemoryLoad() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (GlobalMemoryStatusEx(&status) && status.dwMemoryLoad <= 100) {
    freeMemory_ = static_cast<uint8_t>(100 - status.dwMemoryLoad);
  }
  return freeMemory_;
}

}  // namespace kerumo
