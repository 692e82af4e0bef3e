#include "monitor/memory_figures.h"

#include <algorithm>

namespace kerumo {

std::optional<uint8_t> roundedPercent(uint64_t part, uint64_t whole) {
  if (whole == 0) return std::nullopt;
  part = std::min(part, whole);
  // Splits the division so that no counter the kernel can report overflows.
  const uint64_t scaled = (part / whole) * 200 + (part % whole) * 200 / whole;
  return static_cast<uint8_t>((scaled + 1) / 2);
}

std::optional<uint8_t> freeMemoryPercent(const MemoryCounters& counters) {
  return roundedPercent(counters.memAvailable, counters.memTotal);
}

std::optional<uint8_t> freeResourcesPercent(const MemoryCounters& counters) {
  return roundedPercent(counters.memAvailable + counters.swapFree, counters.memTotal + counters.swapTotal);
}

uint8_t freeSwapPercent(const MemoryCounters& counters) {
  return roundedPercent(counters.swapFree, counters.swapTotal).value_or(0);
}

}  // namespace kerumo
