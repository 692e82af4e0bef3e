// The built-in sources one by one, as the program makes them; together they
// must leave the half-second timer plenty of room. Calls this close together
// share one meminfo reading, as the calls of one tick do.
#include <benchmark/benchmark.h>

#include <sstream>

#include "monitor/builtin_sources.h"

namespace kerumo {
namespace {

void MemoryLoad(benchmark::State& state) {
  const auto info = makeBuiltinResourceInfo();
  for (auto _ : state) benchmark::DoNotOptimize(info->MemoryLoad());
}
BENCHMARK(MemoryLoad)->Unit(benchmark::kMicrosecond);

void GetResInfo(benchmark::State& state) {
  const auto info = makeBuiltinResourceInfo();
  uint8_t first = 0, second = 0, third = 0;
  for (auto _ : state) {
    info->GetResInfo(&first, &second, &third);
    benchmark::DoNotOptimize(first);
  }
}
BENCHMARK(GetResInfo)->Unit(benchmark::kMicrosecond);

void CpuUsage(benchmark::State& state) {
  const auto info = makeBuiltinResourceInfo();
  for (auto _ : state) {
    info->GetCpuStart();
    benchmark::DoNotOptimize(info->GetCpuUsage());
  }
}
BENCHMARK(CpuUsage)->Unit(benchmark::kMicrosecond);

void Temperature(benchmark::State& state) {
  std::ostringstream said;
  const auto ports = makeBuiltinPortIo(said);
  for (auto _ : state) {
    ports->OutputPort(0x295, 0x27);
    benchmark::DoNotOptimize(ports->InputPort(0x296));
  }
}
BENCHMARK(Temperature)->Unit(benchmark::kMicrosecond);

// The first read finds the sensor: the cost paid again every few seconds on
// a system whose sensor has gone, or that never had one.
void TemperatureFirstRead(benchmark::State& state) {
  std::ostringstream said;
  for (auto _ : state) {
    const auto ports = makeBuiltinPortIo(said);
    ports->OutputPort(0x295, 0x27);
    benchmark::DoNotOptimize(ports->InputPort(0x296));
  }
}
BENCHMARK(TemperatureFirstRead)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kerumo
