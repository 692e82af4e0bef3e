#include "monitor/library_adapters.h"

#include <algorithm>

namespace kerumo {
namespace {

// A library may answer beyond 100; the meters never show more, nor, once
// the program subtracts from 100, less than nothing.
uint8_t percent(uint8_t value) { return std::min<uint8_t>(value, 100); }

template <class Function>
void noteIfMissing(std::vector<std::string>& names, Function* function, const char* name) {
  if (function == nullptr) names.emplace_back(name);
}

}  // namespace

ResInfoFunctions ResInfoFunctions::lookUp(const SharedLibrary& library) {
  ResInfoFunctions f;
  f.getResInfo = library.function<void(uint8_t*, uint8_t*, uint8_t*)>("GetResInfo");
  f.getCpuStart = library.function<void()>("GetCpuStart");
  f.getCpuUsage = library.function<uint8_t()>("GetCpuUsage");
  f.memoryLoad = library.function<uint8_t()>("MemoryLoad");
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
  f.outputPort = library.function<void(int32_t, int32_t)>("OutputPort");
  f.inputPort = library.function<int16_t(int32_t)>("InputPort");
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
