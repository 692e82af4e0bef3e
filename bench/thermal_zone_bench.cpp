// The thermal zones' part of a Windows tick, over a pdh.dll that answers at
// once: what the program adds to the system's own collect. The query is
// opened once however long it runs.
#include <benchmark/benchmark.h>

#include <iterator>
#include <sstream>

#include "monitor/hwmon_ports.h"
#include "monitor/thermal_zone_temperature.h"

namespace kerumo {
namespace {

// Four zones in tenths of kelvin, as a laptop publishes them.
constexpr ZoneValue Zones[] = {{pdh::ValidData, 3131}, {pdh::ValidData, 3252}, {pdh::ValidData, 3011},
                               {pdh::ValidData, 2982}};

class InstantZones : public ZoneCounters {
 public:
  explicit InstantZones(int& opens) : opens_(opens) {}
  PdhStatus openQuery() override {
    ++opens_;
    return pdh::ValidData;
  }
  PdhStatus addCounter(const std::string&) override { return pdh::ValidData; }
  PdhStatus collect() override { return pdh::ValidData; }
  PdhStatus values(std::vector<ZoneValue>& zones) override {
    zones.assign(std::begin(Zones), std::end(Zones));
    return pdh::ValidData;
  }

 private:
  int& opens_;
};

void ThermalZoneTick(benchmark::State& state) {
  int opens = 0;
  std::ostringstream said;
  HwMonPorts ports(std::make_unique<ThermalZoneTemperature>(std::make_unique<InstantZones>(opens), said));
  for (auto _ : state) {
    ports.OutputPort(HwMonPorts::IndexPort, HwMonPorts::TemperatureRegister);
    benchmark::DoNotOptimize(ports.InputPort(HwMonPorts::DataPort));
  }
  state.counters["queries"] = opens;
}
BENCHMARK(ThermalZoneTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kerumo
