#pragma once
#include <cstdint>

#include "monitor/cpu_usage_meter.h"
#include "monitor/resource_info.h"

namespace kerumo {

// The figures Windows keeps itself. A call that fails repeats the last good
// figure; before any, the free figures stand at 100 and the usage at 0, so
// a failing system raises no low-resource warnings.
class SystemResourceInfo : public ResourceInfo {
 public:
  // First value: free commit charge (what programs may still allocate);
  // the other two repeat it.
  void GetResInfo(uint8_t* first, uint8_t* second, uint8_t* third) override;
  // Usage is measured from one GetCpuUsage to the next, a whole tick.
  void GetCpuStart() override {}
  uint8_t GetCpuUsage() override;
  uint8_t MemoryLoad() override;

 private:
  CpuUsageMeter meter_;
  uint8_t freeMemory_ = 100;
  uint8_t freeCommit_ = 100;
};

}  // namespace kerumo
