#include "monitor/sampling_cycle.h"

#include <string>

#include "monitor/low_resource_check.h"
#include "monitor/temperature_probe.h"

namespace kerumo {
namespace {

// Usage is the complement of a free percentage, in 16-bit arithmetic.
int16_t usedPercent(uint8_t freePercent) { return static_cast<int16_t>(100 - freePercent); }
double barWidth(int16_t percent) { return static_cast<float>(percent * 10); }

}  // namespace

SamplingCycle::SamplingCycle(Platform& platform, FormWindow& form, LibraryLoader loader)
    : platform_(platform), form_(form), loader_(std::move(loader)) {}

MonitorLibraries& SamplingCycle::libraries() {
  if (!libraries_) libraries_ = loader_();
  return *libraries_;
}

void SamplingCycle::Timer1_Timer() {
  // A warning box keeps the window system running; a tick arriving
  // meanwhile must not raise a second box for the same shortage.
  if (inTick_) return;
  inTick_ = true;
  MonitorLibraries& libs = libraries();
  showFigures(*libs.resinfo);
  ReadCpuTemperature(*libs.ports, form_);
  checkLowResources(platform_, *libs.resinfo, resInfoBytes_[0]);
  inTick_ = false;
}

void SamplingCycle::showFigures(ResourceInfo& resinfo) {
  resinfo.GetResInfo(&resInfoBytes_[0], &resInfoBytes_[1], &resInfoBytes_[2]);
  resinfo.GetCpuStart();
  cpuUsage_ = resinfo.GetCpuUsage();
  form_.setCaption("Label3", std::to_string(usedPercent(resInfoBytes_[0])));
  form_.setCaption("Label2", std::to_string(usedPercent(resinfo.MemoryLoad())));
  form_.setCaption("Label16", std::to_string(cpuUsage_));
  form_.setWidth("Shape1", barWidth(usedPercent(resinfo.MemoryLoad())));
  form_.setWidth("Shape3", barWidth(cpuUsage_));
  form_.setWidth("Shape5", barWidth(usedPercent(resInfoBytes_[0])));
}

}  // namespace kerumo
