#include "monitor/low_resource_check.h"

#include "monitor/warning_settings.h"

namespace kerumo {

void checkLowResources(Platform& platform, ResourceInfo& resinfo, uint8_t freeResources) {
  if (WarnEnabled != 1) return;
  if (int16_t{resinfo.MemoryLoad()} < MemThreshold) {
    platform.messageBox(MemoryWarningPrompt, MessageBoxStyle::OkOnly, WarningTitle);
    WarnEnabled = 0;
  }
  if (int16_t{freeResources} < ResThreshold) {
    platform.messageBox(ResourceWarningPrompt, MessageBoxStyle::OkOnly, WarningTitle);
    WarnEnabled = 0;
  }
}

}  // namespace kerumo
