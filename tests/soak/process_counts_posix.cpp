#include "process_counts.h"

// Less the directory iterator's own descriptor.
std::vector<kerumo::soak::ProcessCount> kerumo::soak::processCounts() { return procCounts("/proc/self", "", 1); }
