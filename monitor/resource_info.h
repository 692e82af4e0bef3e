#pragma once
#include <cstdint>
#include <memory>
#include <ostream>

namespace kerumo {

// The contract of the resource-information library. Every percentage is
// 0..100; adapters clamp whatever a library returns beyond that.
class ResourceInfo {
 public:
  virtual ~ResourceInfo() = default;
  // First value: free system resources in percent; the other two are
  // written but carry nothing the program reads.
  virtual void GetResInfo(uint8_t* first, uint8_t* second, uint8_t* third) = 0;
  virtual void GetCpuStart() = 0;
  // Busy share of all processors since the previous call, in percent.
  virtual uint8_t GetCpuUsage() = 0;
  // Free physical memory in percent.
  virtual uint8_t MemoryLoad() = 0;
};

// Loads "resinfo" by name, or falls back to the built-in sources, function
// by function. Says once on `diagnostics` which source it uses.
std::unique_ptr<ResourceInfo> loadResourceInfo(std::ostream& diagnostics);

}  // namespace kerumo
