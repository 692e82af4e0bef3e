#include "monitor/thermal_zone_temperature.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

#include "case_names.h"

namespace kerumo {
namespace {

constexpr PdhStatus Ok = pdh::ValidData;
constexpr PdhStatus InvalidData = 0xC0000BC6;         // PDH_INVALID_DATA
constexpr PdhStatus CounterInvalidData = 0xC0000BBA;  // PDH_CSTATUS_INVALID_DATA
constexpr PdhStatus ModuleNotFound = 0x7E;
constexpr int Ticks = 3;

// pdh.dll as a test scripts it: each counter path that exists has its zones.
struct PdhScript {
  PdhStatus open = Ok;
  std::map<std::string, std::vector<ZoneValue>> counters = {};
  PdhStatus missingCounter = pdh::NoCounter;
  PdhStatus collect = Ok;
  PdhStatus format = Ok;
};

struct PdhCalls {
  int opens = 0;
  std::vector<std::string> added;
  int collects = 0;
  int formats = 0;
};

class FakeZoneCounters : public ZoneCounters {
 public:
  FakeZoneCounters(const PdhScript& script, PdhCalls& calls) : script_(script), calls_(calls) {}

  PdhStatus openQuery() override {
    ++calls_.opens;
    return script_.open;
  }
  PdhStatus addCounter(const std::string& englishPath) override {
    calls_.added.push_back(englishPath);
    if (!script_.counters.contains(englishPath)) return script_.missingCounter;
    counter_ = englishPath;
    return Ok;
  }
  PdhStatus collect() override {
    ++calls_.collects;
    return script_.collect;
  }
  PdhStatus values(std::vector<ZoneValue>& zones) override {
    ++calls_.formats;
    zones.clear();
    if (script_.format != Ok) return script_.format;
    zones = script_.counters.at(counter_);
    return Ok;
  }

 private:
  const PdhScript& script_;
  PdhCalls& calls_;
  std::string counter_;
};

const std::string Fine = HighPrecisionZonePath;
const std::string Whole = WholeKelvinZonePath;

PdhScript tenths(std::vector<ZoneValue> zones) { return {.counters = {{Fine, std::move(zones)}}}; }
PdhScript kelvin(std::vector<ZoneValue> zones) { return {.counters = {{Whole, std::move(zones)}}}; }

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

struct Case {
  const char* what;
  PdhScript script;
  std::optional<int16_t> celsius;
  std::string said;
  int collects = Ticks;  // none once the zones cannot be opened: they are not asked again
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }

class ThermalZoneTable : public ::testing::TestWithParam<Case> {
 protected:
  PdhCalls calls;
  std::ostringstream said;
  ThermalZoneTemperature temperature{std::make_unique<FakeZoneCounters>(GetParam().script, calls), said};
};

// The query is opened once a run and collected once a tick.
TEST_P(ThermalZoneTable, ShowTheHottestZoneInWholeDegreesOrSayOnceWhyNot) {
  for (int tick = 0; tick < Ticks; ++tick) EXPECT_EQ(temperature.celsius(), GetParam().celsius) << "tick " << tick;
  EXPECT_EQ(said.str(), GetParam().said);
  EXPECT_EQ(calls.opens, 1);
  EXPECT_EQ(calls.collects, GetParam().collects);
  if (GetParam().celsius) {
    EXPECT_EQ(calls.formats, Ticks);
    EXPECT_EQ(calls.added.front(), Fine) << "the finer counter is tried first";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ThermalZoneTable,
    ::testing::Values(
        Case{"two zones the hottest shown", tenths({reads(3051.5), reads(3201.5)}), 47, ""},
        Case{"whole kelvin where the finer counter is missing", kelvin({reads(320), reads(305)}), 47, ""},
        Case{"the finer counter preferred",
             {.counters = {{Fine, {reads(3051.5)}}, {Whole, {reads(330)}}}}, 32, ""},
        Case{"tenths rounded down", tenths({reads(3206)}), 47, ""},
        Case{"tenths rounded up", tenths({reads(3207)}), 48, ""},
        Case{"just under freezing is zero", kelvin({reads(273)}), 0, ""},
        Case{"below freezing", kelvin({reads(272)}), -1, ""},
        Case{"the hottest plausible degree", kelvin({reads(423)}), 150, ""},
        Case{"a zone without a value passed over", tenths({{CounterInvalidData, 9999}, reads(3101.5)}), 37, ""},
        Case{"an impossible zone passed over", tenths({reads(0), reads(3101.5), reads(9000)}), 37, ""},
        Case{"no counter set", {.counters = {}, .missingCounter = pdh::NoObject}, std::nullopt, NoZoneLine, 0},
        Case{"a counter set without zones", tenths({}), std::nullopt, NoZoneLine},
        Case{"no instance to collect", {.counters = {{Fine, {}}}, .collect = pdh::NoData}, std::nullopt,
             NoZoneLine},
        Case{"a failed collect", {.counters = {{Fine, {reads(3201.5)}}}, .collect = InvalidData}, std::nullopt,
             unread("0xC0000BC6")},
        Case{"a failed formatting", {.counters = {{Fine, {reads(3201.5)}}}, .format = CounterInvalidData},
             std::nullopt, unread("0xC0000BBA")},
        Case{"no zone gives a value", tenths({{CounterInvalidData, 3201.5}}), std::nullopt, unread("0xC0000BBA")},
        Case{"no query without pdh", {.open = ModuleNotFound}, std::nullopt, unread("0x0000007E"), 0},
        Case{"a zone at absolute zero", kelvin({reads(0)}), std::nullopt, implausible("-273.1")},
        Case{"a zone hotter than any processor", kelvin({reads(424.15)}), std::nullopt, implausible("151")},
        Case{"a zone that is not a number", tenths({reads(std::nan(""))}), std::nullopt, implausible("nan")}),
    testing::CaseName());

TEST(ThermalZones, EachKindOfFailureIsSaidOnceARun) {
  PdhScript script = tenths({reads(3201.5)});
  PdhCalls calls;
  std::ostringstream said;
  ThermalZoneTemperature temperature(std::make_unique<FakeZoneCounters>(script, calls), said);
  const auto tick = [&](PdhStatus collect) {
    script.collect = collect;
    return temperature.celsius();
  };
  EXPECT_EQ(tick(InvalidData), std::nullopt);
  EXPECT_EQ(tick(Ok), 47) << "back at the next tick";
  EXPECT_EQ(tick(InvalidData), std::nullopt);
  EXPECT_EQ(tick(pdh::NoData), std::nullopt);
  EXPECT_EQ(tick(pdh::NoData), std::nullopt);
  EXPECT_EQ(said.str(), unread("0xC0000BC6") + NoZoneLine);
}

}  // namespace
}  // namespace kerumo
