#pragma once
#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <utility>

#include "monitor/resolving_temperature.h"

namespace kerumo {

// The CPU usage figures of the last minutes, as the sampling cycle took
// them. A temperature source reads them to tell a sensor that follows the
// processor from one that never moves, without reaching for the library
// that measures the usage.
class CpuActivity {
 public:
  static constexpr std::chrono::minutes Kept{10};

  explicit CpuActivity(SteadyClock now) : now_(std::move(now)) {}

  std::chrono::steady_clock::time_point now() const { return now_(); }
  // This tick's usage, in percent.
  void record(uint8_t usage);
  // Highest minus lowest usage recorded from `since` on; nothing when the
  // record does not reach back that far (Kept at most).
  std::optional<int> rangeSince(std::chrono::steady_clock::time_point since) const;

 private:
  SteadyClock now_;
  std::deque<std::pair<std::chrono::steady_clock::time_point, uint8_t>> samples_;
  std::optional<std::chrono::steady_clock::time_point> firstRecord_;
};

}  // namespace kerumo
