#pragma once
#include <cstdint>

namespace kerumo {

// The low-resource warnings' three program-wide values: one copy for the
// whole program. Start-up fills them from the settings, the warning-settings
// dialog writes them, the check reads them and disarms the warnings, and
// shut-down saves them; they have no defaults of their own.
inline int16_t WarnEnabled = 0;   // 1 = low-resource warnings armed
inline int16_t MemThreshold = 0;  // free physical memory, percent
inline int16_t ResThreshold = 0;  // free system resources, percent

}  // namespace kerumo
