#include "monitor/cpu_activity.h"

#include <algorithm>

namespace kerumo {

void CpuActivity::record(uint8_t usage) {
  const auto at = now();
  if (!firstRecord_) firstRecord_ = at;
  samples_.emplace_back(at, usage);
  // One sample before the kept span stays: it held until the next one came.
  while (samples_.size() > 1 && samples_[1].first <= at - Kept) samples_.pop_front();
}

std::optional<int> CpuActivity::rangeSince(std::chrono::steady_clock::time_point since) const {
  if (!firstRecord_ || *firstRecord_ > since || since < now() - Kept) return std::nullopt;
  int lowest = 100;
  int highest = 0;
  for (const auto& [at, usage] : samples_) {
    if (at < since) continue;
    lowest = std::min<int>(lowest, usage);
    highest = std::max<int>(highest, usage);
  }
  if (lowest > highest) return 0;
  return highest - lowest;
}

}  // namespace kerumo
