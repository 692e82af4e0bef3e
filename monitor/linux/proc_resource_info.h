#pragma once
#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "monitor/cpu_usage_meter.h"
#include "monitor/linux/proc_file.h"
#include "monitor/memory_figures.h"
#include "monitor/resolving_temperature.h"
#include "monitor/resource_info.h"

namespace kerumo {

// The figures from the kernel's own accounts under `procRoot`.
//
// The contract has no way to say "unknown", so a file that cannot be read or
// understood repeats the last good figure. Before any good read the free
// figures stand at 100 and the usage at 0: a broken /proc must not raise
// low-resource warnings the user can do nothing about.
//
// A tick asks for memory figures up to four times in a row; the kernel takes
// longer to write meminfo than the program takes to read it, so one reading
// serves every call within a fraction of the tick.
class ProcResourceInfo : public ResourceInfo {
 public:
  static constexpr std::chrono::milliseconds MemoryReuse{100};

  explicit ProcResourceInfo(const std::string& procRoot = "/proc",
                            SteadyClock now = [] { return std::chrono::steady_clock::now(); });

  // Second value: free physical memory; third: free swap.
  void GetResInfo(uint8_t* first, uint8_t* second, uint8_t* third) override;
  // Nothing to start: usage is measured from one GetCpuUsage to the next,
  // which keeps the interval a whole tick long.
  void GetCpuStart() override {}
  uint8_t GetCpuUsage() override;
  uint8_t MemoryLoad() override;

 private:
  std::optional<MemoryCounters> memory();

  ProcFile meminfo_;
  ProcFile stat_;
  SteadyClock now_;
  std::optional<MemoryCounters> memory_;
  std::chrono::steady_clock::time_point memoryReadAt_{};
  CpuUsageMeter meter_;
  uint8_t freeMemory_ = 100;
  std::array<uint8_t, 3> resInfo_{100, 100, 100};
};

}  // namespace kerumo
