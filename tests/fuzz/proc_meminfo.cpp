// /proc/meminfo: whatever is read gives percentages within 0..100, and the
// counters read back the same from the kernel's own layout.
#include <string>

#include "fuzz_check.h"
#include "monitor/linux/proc_parsers.h"

using namespace kerumo;
using kerumo::fuzz::require;

namespace {

std::string asKernelWrites(const MemoryCounters& c) {
  const auto line = [](const char* key, uint64_t kb) { return std::string(key) + ":  " + std::to_string(kb) + " kB\n"; };
  return "MemFree:  1 kB\n" + line("MemTotal", c.memTotal) + line("MemAvailable", c.memAvailable) +
         "Buffers:  7 kB\n" + line("SwapTotal", c.swapTotal) + line("SwapFree", c.swapFree);
}

bool within100(std::optional<uint8_t> percent) { return !percent || *percent <= 100; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto counters = parseMeminfo(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!counters) return 0;
  require(within100(freeMemoryPercent(*counters)) && within100(freeResourcesPercent(*counters)) &&
              freeSwapPercent(*counters) <= 100,
          "percentages lie within 0..100");
  const auto again = parseMeminfo(asKernelWrites(*counters));
  require(again && again->memTotal == counters->memTotal && again->memAvailable == counters->memAvailable &&
              again->swapTotal == counters->swapTotal && again->swapFree == counters->swapFree,
          "counters read back the same from the kernel's layout");
  return 0;
}
