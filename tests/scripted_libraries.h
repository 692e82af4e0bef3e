#pragma once
#include <optional>
#include <string>
#include <vector>

#include "monitor/sampling_cycle.h"

namespace kerumo::testing {

// In-process stand-ins for the two monitoring libraries: scripted answers,
// every call recorded in one shared log.
struct ScriptedFigures {
  uint8_t freeResources = 80;
  uint8_t second = 11;
  uint8_t third = 22;
  uint8_t cpuUsage = 25;
  std::vector<uint8_t> memoryLoads{60};  // successive MemoryLoad answers; the last repeats
  std::optional<int16_t> temperature = 45;
  std::vector<std::string> calls;
};

// One for each of the libraries, both answering from the same figures.
class ScriptedLibrary : public ResourceInfo, public PortIo {
 public:
  explicit ScriptedLibrary(ScriptedFigures& figures) : f_(figures) {}
  void GetResInfo(uint8_t* first, uint8_t* second, uint8_t* third) override {
    f_.calls.push_back("GetResInfo");
    *first = f_.freeResources;
    *second = f_.second;
    *third = f_.third;
  }
  void GetCpuStart() override { f_.calls.push_back("GetCpuStart"); }
  uint8_t GetCpuUsage() override {
    f_.calls.push_back("GetCpuUsage");
    return f_.cpuUsage;
  }
  uint8_t MemoryLoad() override {
    f_.calls.push_back("MemoryLoad");
    const uint8_t value = f_.memoryLoads.front();
    if (f_.memoryLoads.size() > 1) f_.memoryLoads.erase(f_.memoryLoads.begin());
    return value;
  }
  void OutputPort(int32_t port, int32_t value) override {
    f_.calls.push_back("OutputPort " + std::to_string(port) + " " + std::to_string(value));
  }
  std::optional<int16_t> InputPort(int32_t port) override {
    f_.calls.push_back("InputPort " + std::to_string(port));
    return f_.temperature;
  }

 private:
  ScriptedFigures& f_;
};

inline LibraryLoader scriptedLoader(ScriptedFigures& figures, int* loads = nullptr) {
  return [&figures, loads] {
    if (loads) ++*loads;
    return MonitorLibraries{std::make_unique<ScriptedLibrary>(figures), std::make_unique<ScriptedLibrary>(figures)};
  };
}

}  // namespace kerumo::testing
