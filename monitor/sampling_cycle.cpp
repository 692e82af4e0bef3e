#include "monitor/sampling_cycle.h"

#include "monitor/low_resource_check.h"
#include "monitor/temperature_probe.h"

namespace kerumo {
namespace {

// Usage is the complement of a free percentage, in 16-bit arithmetic.
int16_t usedPercent(uint8_t freePercent) { return static_cast<int16_t>(100 - freePercent); }
double barWidth(int16_t percent) { return static_cast<float>(percent * 10); }

}  // namespace

SamplingCycle::SamplingCycle(Platform& platform, FiguresDisplay& display, LibraryLoader loader)
    : platform_(platform), display_(display), loader_(std::move(loader)) {}

MonitorLibraries& SamplingCycle::libraries() {
  if (!libraries_) libraries_ = loader_();
  return *libraries_;
}

void SamplingCycle::tick() {
  // A warning box keeps the window system running; a tick arriving
  // meanwhile must not raise a second box for the same shortage.
  if (inTick_) return;
  inTick_ = true;
  const MonitorLibraries& libs = libraries();
  display_.showUsage(takeFigures(*libs.resinfo));
  if (libs.cpuActivity) libs.cpuActivity->record(cpuUsage_);
  ReadCpuTemperature(*libs.ports, display_);
  checkLowResources(platform_, *libs.resinfo, resInfoBytes_[0]);
  inTick_ = false;
}

// Each MemoryLoad is a reading of its own: the label's first, then the bar's.
UsageFigures SamplingCycle::takeFigures(ResourceInfo& resinfo) {
  resinfo.GetResInfo(&resInfoBytes_[0], &resInfoBytes_[1], &resInfoBytes_[2]);
  resinfo.GetCpuStart();
  cpuUsage_ = resinfo.GetCpuUsage();
  const int16_t resources = usedPercent(resInfoBytes_[0]);
  const int16_t memory = usedPercent(resinfo.MemoryLoad());
  const int16_t memoryForBar = usedPercent(resinfo.MemoryLoad());
  return {.memory = {memory, barWidth(memoryForBar)},
          .resources = {resources, barWidth(resources)},
          .cpu = {cpuUsage_, barWidth(cpuUsage_)}};
}

}  // namespace kerumo
