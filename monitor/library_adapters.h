#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "monitor/port_io.h"
#include "monitor/resource_info.h"
#include "monitor/shared_library.h"

// KERUMO_LIBRARY_CALL, set by the build, is the libraries' calling
// convention: stdcall on Windows, where they are written to be called from
// Basic (32-bit Windows has two conventions, 64-bit only one).

namespace kerumo {

// The C functions of the resource-information library; null where missing.
struct ResInfoFunctions {
  void(KERUMO_LIBRARY_CALL* getResInfo)(uint8_t*, uint8_t*, uint8_t*) = nullptr;
  void(KERUMO_LIBRARY_CALL* getCpuStart)() = nullptr;
  uint8_t(KERUMO_LIBRARY_CALL* getCpuUsage)() = nullptr;
  uint8_t(KERUMO_LIBRARY_CALL* memoryLoad)() = nullptr;

  static ResInfoFunctions lookUp(const SharedLibrary& library);
  std::vector<std::string> missing() const;
};

// The library's functions where it has them, the stand-in's elsewhere.
class LibraryResourceInfo : public ResourceInfo {
 public:
  // `standIn` may be null only when no function is missing.
  LibraryResourceInfo(SharedLibrary library, ResInfoFunctions functions, std::unique_ptr<ResourceInfo> standIn);

  void GetResInfo(uint8_t* first, uint8_t* second, uint8_t* third) override;
  void GetCpuStart() override;
  uint8_t GetCpuUsage() override;
  uint8_t MemoryLoad() override;

 private:
  SharedLibrary library_;
  ResInfoFunctions functions_;
  std::unique_ptr<ResourceInfo> standIn_;
};

// The port library's two functions; they come as a pair or not at all,
// since one chip answers what the other was told.
struct PortFunctions {
  void(KERUMO_LIBRARY_CALL* outputPort)(int32_t, int32_t) = nullptr;
  int16_t(KERUMO_LIBRARY_CALL* inputPort)(int32_t) = nullptr;

  static PortFunctions lookUp(const SharedLibrary& library);
  std::vector<std::string> missing() const;
};

class LibraryPortIo : public PortIo {
 public:
  LibraryPortIo(SharedLibrary library, PortFunctions functions);

  void OutputPort(int32_t port, int32_t value) override;
  // Whatever the port gave, unscaled.
  std::optional<int16_t> InputPort(int32_t port) override;

 private:
  SharedLibrary library_;
  PortFunctions functions_;
};

}  // namespace kerumo
