#pragma once
#include <optional>
#include <string_view>

#include "monitor/cpu_usage_meter.h"
#include "monitor/memory_figures.h"

namespace kerumo {

// The four counters of a meminfo file; nothing unless all are there.
std::optional<MemoryCounters> parseMeminfo(std::string_view text);

// The aggregate "cpu " line of a stat file. Guest time is already inside
// user and nice time, so it is not added again.
std::optional<CpuTimes> parseCpuTimes(std::string_view text);

}  // namespace kerumo
