#pragma once
#include <cstdint>
#include <optional>

namespace kerumo {

// The kernel's memory counters, in kB.
struct MemoryCounters {
  uint64_t memTotal = 0;
  uint64_t memAvailable = 0;
  uint64_t swapTotal = 0;
  uint64_t swapFree = 0;
};

// round(100 * part / whole), at most 100; nothing when `whole` is zero.
std::optional<uint8_t> roundedPercent(uint64_t part, uint64_t whole);

// Free physical memory: what can be had without swapping, not merely the
// unused pages, so the page cache counts as free.
std::optional<uint8_t> freeMemoryPercent(const MemoryCounters& counters);

// Free system resources: physical memory and swap together.
std::optional<uint8_t> freeResourcesPercent(const MemoryCounters& counters);

// Free swap; with no swap at all there is none free.
uint8_t freeSwapPercent(const MemoryCounters& counters);

}  // namespace kerumo
