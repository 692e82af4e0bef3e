#pragma once
#include <cstdint>

namespace kerumo {

// The three program-wide values shared by the meter window, the sampling
// cycle and the warning-settings dialog: one copy for the whole program.
inline int16_t WarnEnabled = 0;   // 1 = low-resource warnings armed
inline int16_t MemThreshold = 10; // free physical memory, percent
inline int16_t ResThreshold = 10; // free system resources, percent

}  // namespace kerumo
