// /proc/stat: the usage measured between any two readings lies within
// 0..100, and the sums read back the same from the kernel's own layout.
#include <string>

#include "fuzz_check.h"
#include "monitor/linux/proc_parsers.h"

KERUMO_FUZZ_TARGET(text, input) {
  const auto first = parseCpuTimes(text);
  if (!first) return;
  // The second reading: the same file after its first line.
  const auto second = parseCpuTimes(text.substr(text.find('\n') == text.npos ? text.size() : text.find('\n') + 1));
  CpuUsageMeter meter;
  require(meter.sample(*first) <= 100, "the usage since boot lies within 0..100");
  if (second) require(meter.sample(*second) <= 100, "the usage between readings lies within 0..100");
  const auto again = parseCpuTimes("cpu  " + std::to_string(first->busy) + " 0 0 " + std::to_string(first->idle) +
                                   " 0 0 0 0 0 0\ncpu0 1 2 3 4\n");
  require(again && again->busy == first->busy && again->idle == first->idle, "sums read back the same");
}
