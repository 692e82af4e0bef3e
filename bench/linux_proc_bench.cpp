// What one reading of each /proc file costs, with no reuse between calls.
#include <benchmark/benchmark.h>

#include "monitor/linux/proc_resource_info.h"

namespace kerumo {
namespace {

ProcResourceInfo freshEveryCall() {
  return ProcResourceInfo("/proc", [now = std::chrono::steady_clock::time_point{}]() mutable {
    return now += std::chrono::seconds(1);
  });
}

void MeminfoReading(benchmark::State& state) {
  ProcResourceInfo info = freshEveryCall();
  for (auto _ : state) benchmark::DoNotOptimize(info.MemoryLoad());
}
BENCHMARK(MeminfoReading)->Unit(benchmark::kMicrosecond);

void StatReading(benchmark::State& state) {
  ProcResourceInfo info = freshEveryCall();
  for (auto _ : state) benchmark::DoNotOptimize(info.GetCpuUsage());
}
BENCHMARK(StatReading)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kerumo
