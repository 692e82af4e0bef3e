#include "monitor/thermal_zone_temperature.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <map>
#include <sstream>

namespace kerumo {
namespace {

constexpr PdhStatus Ok = pdh::ValidData;
constexpr PdhStatus InvalidData = 0xC0000BC6;         // PDH_INVALID_DATA
constexpr PdhStatus CounterInvalidData = 0xC0000BBA;  // PDH_CSTATUS_INVALID_DATA
constexpr PdhStatus ModuleNotFound = 0x7E;
constexpr int Ticks = 3;

// pdh.dll as a test scripts it: each counter path that exists has its zones.
// The calls it got are counted after the script.
struct Pdh {
  PdhStatus open = Ok;
  std::map<std::string, std::vector<ZoneValue>> counters = {};
  PdhStatus missingCounter = pdh::NoCounter;
  PdhStatus collect = Ok;
  PdhStatus format = Ok;
  int opens = 0;
  std::vector<std::string> added = {};
  int collects = 0;
  int formats = 0;
};

class FakeZoneCounters : public ZoneCounters {
 public:
  explicit FakeZoneCounters(Pdh& pdh) : pdh_(pdh) {}

  PdhStatus openQuery() override {
    ++pdh_.opens;
    return pdh_.open;
  }
  PdhStatus addCounter(const std::string& englishPath) override {
    pdh_.added.push_back(englishPath);
    if (!pdh_.counters.contains(englishPath)) return pdh_.missingCounter;
    counter_ = englishPath;
    return Ok;
  }
  PdhStatus collect() override {
    ++pdh_.collects;
    return pdh_.collect;
  }
  PdhStatus values(std::vector<ZoneValue>& zones) override {
    ++pdh_.formats;
    zones = pdh_.format == Ok ? pdh_.counters.at(counter_) : std::vector<ZoneValue>{};
    return pdh_.format;
  }

 private:
  Pdh& pdh_;
  std::string counter_;
};

const std::string Fine = HighPrecisionZonePath;
const std::string Whole = WholeKelvinZonePath;

Pdh tenths(std::vector<ZoneValue> zones) { return {.counters = {{Fine, std::move(zones)}}}; }
Pdh kelvin(std::vector<ZoneValue> zones) { return {.counters = {{Whole, std::move(zones)}}}; }

ZoneValue reads(double value) { return {Ok, value}; }

const std::string NoZoneLine =
    "kerumo: この PC では Windows が温度ゾーン（Thermal Zone Information）を公開していないため、"
    "温度は「--」と表示します\n";
std::string unread(const std::string& code) {
  return "kerumo: 温度ゾーンの値を取得できませんでした（PDH エラー " + code + "）。温度は「--」と表示します\n";
}
std::string implausible(const std::string& value) {
  return "kerumo: 温度ゾーンの値（" + value + " ℃）が実際の温度とは考えられないため、温度は「--」と表示します\n";
}

// The query is opened once a run and collected once a tick.
TEST(ThermalZones, ShowTheHottestZoneInWholeDegreesOrSayOnceWhyNot) {
  const struct {
    const char* what;
    Pdh script;
    std::optional<int16_t> celsius;
    std::string said;
    int collects = Ticks;  // none once the zones cannot be opened: they are not asked again
  } cases[] = {
      {"two zones the hottest shown", tenths({reads(3051.5), reads(3201.5)}), 47, ""},
      {"whole kelvin where the finer counter is missing", kelvin({reads(320), reads(305)}), 47, ""},
      {"the finer counter preferred", {.counters = {{Fine, {reads(3051.5)}}, {Whole, {reads(330)}}}}, 32, ""},
      {"tenths rounded down", tenths({reads(3206)}), 47, ""},
      {"tenths rounded up", tenths({reads(3207)}), 48, ""},
      {"just under freezing is zero", kelvin({reads(273)}), 0, ""},
      {"below freezing", kelvin({reads(272)}), -1, ""},
      {"the hottest plausible degree", kelvin({reads(423)}), 150, ""},
      {"a zone without a value passed over", tenths({{CounterInvalidData, 9999}, reads(3101.5)}), 37, ""},
      {"an impossible zone passed over", tenths({reads(0), reads(3101.5), reads(9000)}), 37, ""},
      {"no counter set", {.counters = {}, .missingCounter = pdh::NoObject}, std::nullopt, NoZoneLine, 0},
      {"a counter set without zones", tenths({}), std::nullopt, NoZoneLine},
      {"no instance to collect", {.counters = {{Fine, {}}}, .collect = pdh::NoData}, std::nullopt, NoZoneLine},
      {"a failed collect", {.counters = {{Fine, {reads(3201.5)}}}, .collect = InvalidData}, std::nullopt,
       unread("0xC0000BC6")},
      {"a failed formatting", {.counters = {{Fine, {reads(3201.5)}}}, .format = CounterInvalidData},
       std::nullopt, unread("0xC0000BBA")},
      {"no zone gives a value", tenths({{CounterInvalidData, 3201.5}}), std::nullopt, unread("0xC0000BBA")},
      {"no query without pdh", {.open = ModuleNotFound}, std::nullopt, unread("0x0000007E"), 0},
      {"a zone at absolute zero", kelvin({reads(0)}), std::nullopt, implausible("-273.1")},
      {"a zone hotter than any processor", kelvin({reads(424.15)}), std::nullopt, implausible("151")},
      {"a zone that is not a number", tenths({reads(std::nan(""))}), std::nullopt, implausible("nan")},
  };
  for (const auto& c : cases) {
    Pdh pdh = c.script;
    std::ostringstream said;
    ThermalZoneTemperature temperature(std::make_unique<FakeZoneCounters>(pdh), said);
    for (int tick = 0; tick < Ticks; ++tick) EXPECT_EQ(temperature.celsius(), c.celsius) << c.what;
    EXPECT_EQ(said.str(), c.said) << c.what;
    EXPECT_EQ(pdh.opens, 1) << c.what;
    EXPECT_EQ(pdh.collects, c.collects) << c.what;
    if (c.celsius) {
      EXPECT_EQ(pdh.formats, Ticks) << c.what;
      EXPECT_EQ(pdh.added.front(), Fine) << "the finer counter is tried first";
    }
  }
}

TEST(ThermalZones, EachKindOfFailureIsSaidOnceARun) {
  Pdh pdh = tenths({reads(3201.5)});
  std::ostringstream said;
  ThermalZoneTemperature temperature(std::make_unique<FakeZoneCounters>(pdh), said);
  const auto tick = [&](PdhStatus collect) {
    pdh.collect = collect;
    return temperature.celsius();
  };
  EXPECT_EQ(tick(InvalidData), std::nullopt);
  EXPECT_EQ(tick(Ok), 47) << "back at the next tick";
  EXPECT_EQ(tick(InvalidData), std::nullopt);
  EXPECT_EQ(tick(pdh::NoData), std::nullopt);
  EXPECT_EQ(tick(pdh::NoData), std::nullopt);
  EXPECT_EQ(said.str(), unread("0xC0000BC6") + NoZoneLine);
}

// A timeline of ticks, one every half second for `minutes`, with the CPU
// usage of each tick; the zones' values are scripted through `pdh`.
struct Timeline {
  std::chrono::steady_clock::time_point now{};
  std::shared_ptr<CpuActivity> activity = std::make_shared<CpuActivity>([this] { return now; });

  // Ticks until `minutes` have passed; `usage` gives each tick's CPU usage,
  // `before` may change the zones first. Returns what the last tick showed.
  std::optional<int16_t> run(ThermalZoneTemperature& temperature, double minutes,
                             const std::function<uint8_t(int)>& usage, const std::function<void(int)>& before = {}) {
    std::optional<int16_t> shown;
    const int ticks = static_cast<int>(minutes * 120);
    for (int tick = 0; tick < ticks; ++tick) {
      now += std::chrono::milliseconds(500);
      if (before) before(tick);
      activity->record(usage(tick));
      shown = temperature.celsius();
    }
    return shown;
  }
};

uint8_t idle(int) { return 3; }
// Compiling, or a game: the usage swings between 10 and 90 % every minute.
uint8_t busy(int tick) { return (tick / 120) % 2 == 0 ? 10 : 90; }

const std::string PlaceholderLine =
    "kerumo: CPU 使用率が大きく変わっても温度ゾーンの値（27.85 ℃）が 10 分間変わらないため、"
    "ファームウェアの固定値とみなして使いません。ほかに温度ゾーンがなければ、温度は「--」と表示します\n";

// 301 K is what many boards and Hyper-V publish whatever the processor does.
TEST(ThermalZones, AZoneThatNeverMovesWhileTheProcessorDoesIsPassedOver) {
  const struct {
    const char* what;
    std::vector<ZoneValue> zones;
    uint8_t (*usage)(int);
    std::optional<int16_t> before;  // shown in the first ten minutes
    std::optional<int16_t> after;   // shown from then on
    std::string said;
    bool secondMoves = false;  // between 25.85 and 26.85 degrees every tick
  } cases[] = {
      {"a flat zone with a busy processor shows dashes", {reads(3010)}, busy, 28, std::nullopt, PlaceholderLine},
      {"a flat zone with an idle processor is kept", {reads(3010)}, idle, 28, 28, ""},
      {"the other zone is shown instead", {reads(3010), reads(2990)}, busy, 28, 27, PlaceholderLine, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Pdh pdh = tenths(c.zones);
    std::ostringstream said;
    Timeline timeline;
    ThermalZoneTemperature temperature(std::make_unique<FakeZoneCounters>(pdh), said, timeline.activity);
    const auto moveSecond = [&](int tick) {
      if (c.secondMoves) pdh.counters[Fine][1].value = tick % 2 ? 3000 : 2990;
    };
    EXPECT_EQ(timeline.run(temperature, 9.9, c.usage, moveSecond), c.before) << "not yet ten minutes";
    EXPECT_EQ(timeline.run(temperature, 0.2, c.usage, moveSecond), c.after);
    EXPECT_EQ(timeline.run(temperature, 30, idle, moveSecond), c.after) << "from then on, said once";
    EXPECT_EQ(said.str(), c.said);
  }
}

// A real sensor moves, and a usage range under fifty points is no proof.
TEST(ThermalZones, AZoneThatMovesOrALoadUnderFiftyPointsKeepsTheZone) {
  Pdh pdh = tenths({reads(3010)});
  std::ostringstream said;
  Timeline timeline;
  ThermalZoneTemperature temperature(std::make_unique<FakeZoneCounters>(pdh), said, timeline.activity);
  EXPECT_EQ(timeline.run(temperature, 15, [](int tick) -> uint8_t { return tick % 2 ? 20 : 69; }), 28);
  pdh.counters[Fine] = {reads(3020)};
  EXPECT_EQ(timeline.run(temperature, 9, busy), 29) << "changed, so ten minutes begin again";
  pdh.counters[Fine] = {reads(3010)};
  EXPECT_EQ(timeline.run(temperature, 9, busy), 28);
  EXPECT_EQ(said.str(), "");
}

}  // namespace
}  // namespace kerumo
