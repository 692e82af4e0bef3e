// /proc/meminfo: whatever is read gives percentages within 0..100, and the
// counters read back the same from the kernel's own layout.
#include <string>

#include "fuzz_check.h"
#include "monitor/linux/proc_parsers.h"

KERUMO_FUZZ_TARGET(text, input) {
  const auto counters = parseMeminfo(text);
  if (!counters) return;
  const auto within100 = [](std::optional<uint8_t> percent) { return !percent || *percent <= 100; };
  require(within100(freeMemoryPercent(*counters)) && within100(freeResourcesPercent(*counters)) &&
              freeSwapPercent(*counters) <= 100,
          "percentages lie within 0..100");
  const auto line = [](const char* key, uint64_t kb) { return std::string(key) + ":  " + std::to_string(kb) + " kB\n"; };
  const auto again = parseMeminfo("MemFree:  1 kB\n" + line("MemTotal", counters->memTotal) +
                                  line("MemAvailable", counters->memAvailable) + "Buffers:  7 kB\n" +
                                  line("SwapTotal", counters->swapTotal) + line("SwapFree", counters->swapFree));
  require(again && again->memTotal == counters->memTotal && again->memAvailable == counters->memAvailable &&
              again->swapTotal == counters->swapTotal && again->swapFree == counters->swapFree,
          "counters read back the same from the kernel's layout");
}
