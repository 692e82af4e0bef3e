#pragma once
#include <string>
#include <vector>

namespace kerumo::soak {

// One figure of what the process holds, as the system counts it: private
// memory, open files or handles, window-system objects.
struct ProcessCount {
  std::string name;
  long value = 0;
  std::string unit;  // " kB" or empty
};

std::vector<ProcessCount> processCounts();

}  // namespace kerumo::soak
