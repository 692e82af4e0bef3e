#include "monitor/linux/proc_resource_info.h"

#include "monitor/linux/proc_file.h"
#include "monitor/linux/proc_parsers.h"

namespace kerumo {
namespace {

// meminfo fits whole; of stat only the first line is wanted, and the buffer
// holds it even with thousands of processors.
constexpr std::size_t BufferSize = 4096;

}  // namespace

ProcResourceInfo::ProcResourceInfo(const std::string& procRoot, SteadyClock now)
    : meminfo_(procRoot + "/meminfo"), stat_(procRoot + "/stat"), now_(std::move(now)) {}

std::optional<MemoryCounters> ProcResourceInfo::memory() {
  const auto now = now_();
  if (memory_ && now - memoryReadAt_ < MemoryReuse) return memory_;
  std::array<char, BufferSize> buffer;  // NOLINT(cppcoreguidelines-pro-type-member-init): filled by read
  const std::optional<std::string_view> text = meminfo_.read(buffer);
  memory_ = text ? parseMeminfo(*text) : std::nullopt;
  memoryReadAt_ = now;
  return memory_;
}

void ProcResourceInfo::GetResInfo(uint8_t* first, uint8_t* second, uint8_t* third) {
  if (const std::optional<MemoryCounters> counters = memory()) {
    if (const std::optional<uint8_t> resources = freeResourcesPercent(*counters)) {
      resInfo_ = {*resources, freeMemoryPercent(*counters).value_or(0), freeSwapPercent(*counters)};
    }
  }
  *first = resInfo_[0];
  *second = resInfo_[1];
  *third = resInfo_[2];
}

uint8_t ProcResourceInfo::GetCpuUsage() {
  std::array<char, BufferSize> buffer;  // NOLINT(cppcoreguidelines-pro-type-member-init): filled by read
  const std::optional<std::string_view> text = stat_.read(buffer);
  const std::optional<CpuTimes> times = text ? parseCpuTimes(*text) : std::nullopt;
  return times ? meter_.sample(*times) : meter_.last();
}

uint8_t ProcResourceInfo::MemoryLoad() {
  if (const std::optional<MemoryCounters> counters = memory()) {
    freeMemory_ = freeMemoryPercent(*counters).value_or(freeMemory_);
  }
  return freeMemory_;
}

}  // namespace kerumo
