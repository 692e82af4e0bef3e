// One whole tick of the meter through the built-in sources: what the
// half-second timer costs apart from drawing.
#include <benchmark/benchmark.h>

#include <sstream>

#include "monitor/builtin_sources.h"
#include "monitor/sampling_cycle.h"
#include "platform/fake/fake_platform.h"

namespace kerumo {
namespace {

// A display that takes the figures and does nothing with them, so the
// figure is the core's and the sources' alone.
class NullDisplay : public FiguresDisplay {
 public:
  void showUsage(const UsageFigures& figures) override { benchmark::DoNotOptimize(figures.cpu.percent); }
  void showTemperature(std::optional<int16_t> reading) override { benchmark::DoNotOptimize(reading); }
};

void WholeTick(benchmark::State& state) {
  FakePlatform platform;
  NullDisplay display;
  std::ostringstream said;
  SamplingCycle cycle(platform, display, [&said] {
    return MonitorLibraries{makeBuiltinResourceInfo(), makeBuiltinPortIo(said)};
  });
  cycle.tick();  // loads the sources
  for (auto _ : state) cycle.tick();
}
BENCHMARK(WholeTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kerumo
