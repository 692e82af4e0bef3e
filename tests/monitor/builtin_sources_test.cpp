#include "monitor/builtin_sources.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <sstream>
#include <vector>

#include "monitor/cpu_sensor_choice.h"
#include "monitor/hwmon_ports.h"
#include "monitor/resolving_temperature.h"

namespace kerumo {
namespace {

// What the program would show: the chosen sensor's reading, if any.
std::optional<int16_t> shown(const std::vector<SensorCandidate>& candidates) {
  const auto chosen = chooseCpuSensor(candidates);
  if (!chosen || !candidates.at(*chosen).celsius) return std::nullopt;
  return wholeDegrees(*candidates.at(*chosen).celsius);
}

TEST(CpuSensorChoice, PicksTheProcessorsSensorByChipAndLabel) {
  const SensorCandidate acpi{"acpitz", "temp1", 27.8};
  const SensorCandidate nvme{"nvme", "Composite", 38.0};
  const struct {
    const char* what;
    std::vector<SensorCandidate> candidates;
    std::optional<int16_t> celsius;
  } cases[] = {
      {"nothing at all", {}, std::nullopt},
      {"nothing of the processor's", {nvme, {"amdgpu", "edge", 60.0}}, std::nullopt},
      {"intel package before its cores and before acpi",
       {acpi, {"coretemp", "Core 0", 61.0}, {"coretemp", "Package id 0", 55.4}}, 55},
      {"intel without a package: hottest core",
       {{"coretemp", "Core 0", 48.0}, {"coretemp", "Core 1", 63.6}, {"coretemp", "Core 2", 51.0}}, 64},
      {"a broken core is never hottest", {{"coretemp", "Core 0", 48.0}, {"coretemp", "Core 1", 400.0}}, 48},
      {"amd die before control", {{"k10temp", "Tctl", 70.0}, {"k10temp", "Tdie", 60.0}}, 60},
      {"amd control when no die", {acpi, {"k10temp", "Tccd1", 50.0}, {"k10temp", "Tctl", 52.4}}, 52},
      {"zenpower die", {{"zenpower", "Tctl", 71.0}, {"zenpower", "Tdie", 61.0}}, 61},
      {"arm cpu zone", {acpi, {"soc_thermal", "temp1", 44.0}, {"cpu_thermal", "temp1", 47.2}}, 47},
      {"arm soc zone", {nvme, {"soc_thermal", "temp1", 44.0}}, 44},
      {"acpi zone last of all", {nvme, acpi}, 28},
      {"hwmon-style names are not chip names", {{"hwmon0", "Package id 0", 50.0}}, std::nullopt},
      {"an absurd reading is no reading", {{"coretemp", "Package id 0", 255.0}}, std::nullopt},
      {"below freezing of any processor is no reading", {{"k10temp", "Tdie", -41.0}}, std::nullopt},
      {"the limits themselves are readings", {{"cpu_thermal", "temp1", -40.0}}, -40},
      {"the top limit too", {{"acpitz", "temp1", 150.0}}, 150},
      {"just past it is no reading", {{"acpitz", "temp1", 150.1}}, std::nullopt},
      {"a half degree rounds up", {{"acpitz", "temp1", 41.5}}, 42},
      {"just under half rounds down", {{"acpitz", "temp1", 41.49}}, 41},
      {"not a number is no reading", {{"acpitz", "temp1", std::nan("")}}, std::nullopt},
      {"an unreadable sensor is no reading", {{"coretemp", "Package id 0", std::nullopt}}, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(shown(c.candidates), c.celsius) << c.what;
}

using namespace std::chrono_literals;

// A sensor whose reading the test sets; it stays readable until told not to.
struct SensorScript {
  std::optional<double> reading = 45.0;
  bool present = true;
  int resolves = 0;
};

struct FakeSensor : TemperatureSensor {
  explicit FakeSensor(SensorScript& script) : script(script) {}
  std::optional<double> read() override { return script.present ? script.reading : std::nullopt; }
  SensorScript& script;
};

class ResolvingTemperatureTest : public ::testing::Test {
 protected:
  std::unique_ptr<TemperatureSensor> resolve() {
    ++script.resolves;
    return script.present ? std::make_unique<FakeSensor>(script) : nullptr;
  }

  SensorScript script;
  std::chrono::steady_clock::time_point now{};
  ResolvingTemperature temperature{[this] { return resolve(); }, [this] { return now; }};
};

TEST_F(ResolvingTemperatureTest, FindsTheSensorOnceAndRereadsItThroughBrokenReadings) {
  EXPECT_EQ(temperature.celsius(), 45);
  script.reading = 3000.0;
  EXPECT_EQ(temperature.celsius(), std::nullopt) << "a broken reading shows nothing but keeps the sensor";
  script.reading = 52.6;
  now += 1h;
  EXPECT_EQ(temperature.celsius(), 53);
  EXPECT_EQ(script.resolves, 1);
}

// Five seconds between the first searches, as between those after a find.
TEST_F(ResolvingTemperatureTest, SearchesComeFiveSecondsApartThenThinOutToOneAMinuteAndResetOnAFind) {
  script.present = false;
  std::vector<int> searchedAt;
  for (int tick = 0; tick < 1200; ++tick) {
    const int before = script.resolves;
    EXPECT_EQ(temperature.celsius(), std::nullopt);
    if (script.resolves != before) searchedAt.push_back(tick / 2);
    now += 500ms;
  }
  EXPECT_EQ(searchedAt, (std::vector<int>{0, 5, 15, 35, 75, 135, 195, 255, 315, 375, 435, 495, 555}));

  script.present = true;
  now += 59s;
  EXPECT_EQ(temperature.celsius(), 45) << "a driver loaded late is found within a minute";
  const int found = script.resolves;
  script.present = false;
  EXPECT_EQ(temperature.celsius(), std::nullopt);
  EXPECT_EQ(script.resolves, found) << "found moments ago";
  now += 5s;
  EXPECT_EQ(temperature.celsius(), std::nullopt);
  EXPECT_EQ(script.resolves, found + 1) << "back to the short wait";
  script.present = true;
  now += 4s;
  EXPECT_EQ(temperature.celsius(), std::nullopt);
  now += 1s;
  EXPECT_EQ(temperature.celsius(), 45);
  EXPECT_EQ(script.resolves, found + 2);
}

struct FixedTemperature : TemperatureSource {
  explicit FixedTemperature(std::optional<int16_t> value) : value(value) {}
  std::optional<int16_t> celsius() override { return value; }
  std::optional<int16_t> value;
};

// Only the temperature register, selected through the index port, reads
// the temperature, and until another is selected.
TEST(HwMonPorts, OnlyTheSelectedTemperatureRegisterReadsTheTemperature) {
  const struct {
    const char* what;
    std::vector<std::pair<int32_t, int32_t>> writes;
    int32_t readPort;
    std::optional<int16_t> celsius;
    std::optional<int16_t> sensor = 58;
  } cases[] = {
      {"the temperature register", {{0x295, 0x27}}, 0x296, 58},
      {"writes elsewhere leave the selection alone", {{0x295, 0x27}, {0x296, 0x00}, {0x80, 0x28}}, 0x296, 58},
      {"nothing selected yet", {}, 0x296, std::nullopt},
      {"no sensor", {{0x295, 0x27}}, 0x296, std::nullopt, std::nullopt},
      {"another register selected after it", {{0x295, 0x27}, {0x295, 0x28}}, 0x296, std::nullopt},
      {"a fan register", {{0x295, 0x29}}, 0x296, std::nullopt},
      {"the index port itself", {{0x295, 0x27}}, 0x295, std::nullopt},
      {"another chip's data port", {{0x295, 0x27}}, 0x2F6, std::nullopt},
      {"selected through the wrong port", {{0x296, 0x27}}, 0x296, std::nullopt},
      {"selected on another chip", {{0x2F5, 0x27}}, 0x296, std::nullopt},
  };
  for (const auto& c : cases) {
    HwMonPorts ports(std::make_unique<FixedTemperature>(c.sensor));
    for (const auto& [port, value] : c.writes) ports.OutputPort(port, value);
    EXPECT_EQ(ports.InputPort(c.readPort), c.celsius) << c.what;
  }
}

TEST(ThisMachine, BuiltInFiguresArePercentages) {
  const auto info = makeBuiltinResourceInfo();
  std::array<uint8_t, 3> figures{255, 255, 255};
  info->GetResInfo(&figures[0], &figures[1], &figures[2]);
  for (const uint8_t figure : figures) EXPECT_LE(figure, 100);
  EXPECT_GT(figures[0], 0) << "a running test machine has some memory free";
  EXPECT_LE(info->MemoryLoad(), 100);
  EXPECT_GT(info->MemoryLoad(), 0);
  for (int tick = 0; tick < 3; ++tick) {
    info->GetCpuStart();
    EXPECT_LE(info->GetCpuUsage(), 100);
  }
}

// Two built-in chips at once must not tear down each other's sensors.
TEST(ThisMachine, BuiltInTemperatureIsPlausibleOrAbsentWithTwoChipsAtOnce) {
  std::ostringstream said;
  const auto first = makeBuiltinPortIo(said);
  const auto second = makeBuiltinPortIo(said);
  for (int tick = 0; tick < 3; ++tick) {
    for (PortIo* ports : {first.get(), second.get()}) {
      ports->OutputPort(0x295, 0x27);
      const std::optional<int16_t> celsius = ports->InputPort(0x296);
      EXPECT_TRUE(!celsius || (*celsius >= -40 && *celsius <= 150)) << celsius.value_or(0);
    }
  }
}

}  // namespace
}  // namespace kerumo
