#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "monitor/cpu_activity.h"
#include "monitor/figures_display.h"
#include "monitor/port_io.h"
#include "monitor/resource_info.h"
#include "platform/platform.h"

namespace kerumo {

struct MonitorLibraries {
  std::unique_ptr<ResourceInfo> resinfo;
  std::unique_ptr<PortIo> ports;
  // Each tick's CPU usage goes here when a source wants it (the thermal
  // zones, to spot a placeholder).
  std::shared_ptr<CpuActivity> cpuActivity = nullptr;
};
using LibraryLoader = std::function<MonitorLibraries()>;

// One tick of the meter: fetches the figures and hands them
// to the display, then reads the temperature and checks for low resources.
// The libraries are loaded at the first tick.
class SamplingCycle {
 public:
  SamplingCycle(Platform& platform, FiguresDisplay& display, LibraryLoader loader);

  // One tick; whoever owns the timer calls it.
  void tick();

  const std::array<uint8_t, 3>& resInfoBytes() const { return resInfoBytes_; }
  uint8_t cpuUsage() const { return cpuUsage_; }

 private:
  MonitorLibraries& libraries();
  UsageFigures takeFigures(ResourceInfo& resinfo);

  Platform& platform_;
  FiguresDisplay& display_;
  LibraryLoader loader_;
  std::optional<MonitorLibraries> libraries_;
  std::array<uint8_t, 3> resInfoBytes_{};
  uint8_t cpuUsage_ = 0;
  bool inTick_ = false;
};

}  // namespace kerumo
