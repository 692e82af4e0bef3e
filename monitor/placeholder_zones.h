#pragma once
#include <chrono>
#include <cstddef>
#include <optional>
#include <vector>

#include "monitor/cpu_activity.h"

namespace kerumo {

// Many boards and virtual machines publish a thermal zone that always reads
// the same firmware value (often 301 K) whatever the processor does. A zone
// whose raw value has not changed at all for FlatSpan, while the CPU usage
// moved over at least BusyRange points in that time, is such a placeholder
// and is passed over from then on. A real sensor that stays flat while the
// processor idles is kept: the usage did not move either.
class PlaceholderZones {
 public:
  static constexpr std::chrono::minutes FlatSpan{10};
  static constexpr int BusyRange = 50;

  // This tick's raw values, one per zone (nothing for a zone without a
  // value), in the order the zones always come in. Returns the zones found
  // to be placeholders by this tick.
  std::vector<std::size_t> update(const std::vector<std::optional<double>>& raw, const CpuActivity& activity);
  // One flag per zone of the last update: true for a placeholder.
  const std::vector<bool>& passedOver() const { return passedOver_; }

 private:
  struct Zone {
    std::optional<double> value;
    std::chrono::steady_clock::time_point since;  // when it took that value
  };
  std::vector<Zone> zones_;
  std::vector<bool> passedOver_;
};

}  // namespace kerumo
