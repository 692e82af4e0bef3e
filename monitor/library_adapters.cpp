#include "monitor/library_adapters.h"

#include <algorithm>

namespace kerumo {
namespace {

// What a stdcall function leaves on the stack: each argument in 4-byte slots.
template <class Result, class... Arguments>
constexpr int argumentBytes(Result(KERUMO_LIBRARY_CALL*)(Arguments...)) {
  return (0 + ... + static_cast<int>((sizeof(Arguments) + 3) / 4 * 4));
}

// The function exported as `name`, else under the names 32-bit compilers
// give a stdcall function unless told otherwise: "_name@bytes" (Microsoft's)
// or "name@bytes" (GNU's).
template <class Pointer>
void findFunction(const SharedLibrary& library, Pointer& function, const std::string& name) {
  // Built by appending: GCC 12 warns falsely on operator+ here (-Wrestrict).
  const std::string gnu = std::string(name).append("@").append(std::to_string(argumentBytes(Pointer{})));
  const std::string microsoft = std::string("_").append(gnu);
  for (const std::string* exported : {&name, &microsoft, &gnu}) {
    function = reinterpret_cast<Pointer>(library.function<void()>(exported->c_str()));
    if (function != nullptr) return;
  }
}

// A library may answer beyond 100; the meters never show more, nor, once
// the program subtracts from 100, less than nothing.
uint8_t percent(uint8_t value) { return std::min<uint8_t>(value, 100); }

template <class Pointer>
void noteIfMissing(std::vector<std::string>& names, Pointer function, const char* name) {
  if (function == nullptr) names.emplace_back(name);
}

}  // namespace

ResInfoFunctions ResInfoFunctions::lookUp(const SharedLibrary& library) {
  ResInfoFunctions f;
  findFunction(library, f.getResInfo, "GetResInfo");
  findFunction(library, f.getCpuStart, "GetCpuStart");
  findFunction(library, f.getCpuUsage, "GetCpuUsage");
  findFunction(library, f.memoryLoad, "MemoryLoad");
  return f;
}

std::vector<std::string> ResInfoFunctions::missing() const {
  std::vector<std::string> names;
  noteIfMissing(names, getResInfo, "GetResInfo");
  noteIfMissing(names, getCpuStart, "GetCpuStart");
  noteIfMissing(names, getCpuUsage, "GetCpuUsage");
  noteIfMissing(names, memoryLoad, "MemoryLoad");
  return names;
}

LibraryResourceInfo::LibraryResourceInfo(SharedLibrary library, ResInfoFunctions functions,
                                         std::unique_ptr<ResourceInfo> standIn)
    : library_(std::move(library)), functions_(functions), standIn_(std::move(standIn)) {}

void LibraryResourceInfo::GetResInfo(uint8_t* first, uint8_t* second, uint8_t* third) {
  if (functions_.getResInfo == nullptr) return standIn_->GetResInfo(first, second, third);
  functions_.getResInfo(first, second, third);
  *first = percent(*first);
}

void LibraryResourceInfo::GetCpuStart() {
  if (functions_.getCpuStart == nullptr) return standIn_->GetCpuStart();
  functions_.getCpuStart();
}

uint8_t LibraryResourceInfo::GetCpuUsage() {
  return functions_.getCpuUsage != nullptr ? percent(functions_.getCpuUsage()) : standIn_->GetCpuUsage();
}

uint8_t LibraryResourceInfo::MemoryLoad() {
  return functions_.memoryLoad != nullptr ? percent(functions_.memoryLoad()) : standIn_->MemoryLoad();
}

PortFunctions PortFunctions::lookUp(const SharedLibrary& library) {
  PortFunctions f;
  findFunction(library, f.outputPort, "OutputPort");
  findFunction(library, f.inputPort, "InputPort");
  return f;
}

std::vector<std::string> PortFunctions::missing() const {
  std::vector<std::string> names;
  noteIfMissing(names, outputPort, "OutputPort");
  noteIfMissing(names, inputPort, "InputPort");
  return names;
}

LibraryPortIo::LibraryPortIo(SharedLibrary library, PortFunctions functions)
    : library_(std::move(library)), functions_(functions) {}

void LibraryPortIo::OutputPort(int32_t port, int32_t value) { functions_.outputPort(port, value); }

std::optional<int16_t> LibraryPortIo::InputPort(int32_t port) { return functions_.inputPort(port); }

}  // namespace kerumo
