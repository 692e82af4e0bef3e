#include "monitor/cpu_usage_meter.h"

#include "monitor/memory_figures.h"

namespace kerumo {

uint8_t CpuUsageMeter::sample(const CpuTimes& now) {
  const CpuTimes before = previous_;
  previous_ = now;
  if (now.busy < before.busy || now.idle < before.idle) return last_;
  const uint64_t busy = now.busy - before.busy;
  const uint64_t total = busy + (now.idle - before.idle);
  if (total < busy) return last_;
  if (const auto percent = roundedPercent(busy, total)) last_ = *percent;
  return last_;
}

}  // namespace kerumo
