#include <windows.h>
#include <psapi.h>

#include "process_counts.h"

namespace kerumo::soak {

// Wine answers 0 for the process's private memory, handles and GDI and
// USER objects. It keeps the handles, windows, menus and other USER objects
// of the process in wineserver, and wineserver opens files for it, so the
// host's /proc/self (drive Z: in wine) is wineserver's: a leak of those
// shows there as memory or open files. GDI objects live in the process
// itself and are not counted.
std::vector<ProcessCount> processCounts() {
  PROCESS_MEMORY_COUNTERS_EX memory{};
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  DWORD handles = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handles);
  std::vector<ProcessCount> counts{{"private", static_cast<long>(memory.PrivateUsage / 1024), " kB"},
                                   {"handles", static_cast<long>(handles), ""},
                                   {"GDI", static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)), ""},
                                   {"USER", static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)), ""}};
  if (memory.PrivateUsage == 0) {
    for (ProcessCount& count : procCounts(R"(Z:\proc\self)", "wineserver ", 0)) counts.push_back(count);
  }
  return counts;
}

}  // namespace kerumo::soak
