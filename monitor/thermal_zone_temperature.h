#pragma once
#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "monitor/cpu_activity.h"
#include "monitor/placeholder_zones.h"
#include "monitor/resolving_temperature.h"

namespace kerumo {

// A status of the performance-data helper (pdh.dll): 0 is success.
using PdhStatus = uint32_t;

// The statuses the thermal zones are told apart by, as pdh.dll spells them.
namespace pdh {
inline constexpr PdhStatus ValidData = 0x00000000;   // PDH_CSTATUS_VALID_DATA, also ERROR_SUCCESS
inline constexpr PdhStatus NewData = 0x00000001;     // PDH_CSTATUS_NEW_DATA
inline constexpr PdhStatus NoInstance = 0x800007D1;  // PDH_CSTATUS_NO_INSTANCE
inline constexpr PdhStatus NoData = 0x800007D5;      // PDH_NO_DATA
inline constexpr PdhStatus NoObject = 0xC0000BB8;    // PDH_CSTATUS_NO_OBJECT
inline constexpr PdhStatus NoCounter = 0xC0000BB9;   // PDH_CSTATUS_NO_COUNTER
}  // namespace pdh

// The English paths of the two counters, every zone at once. Newer Windows
// has the finer one; the older counts whole kelvin.
inline constexpr const char* HighPrecisionZonePath = "\\Thermal Zone Information(*)\\High Precision Temperature";
inline constexpr const char* WholeKelvinZonePath = "\\Thermal Zone Information(*)\\Temperature";

// One zone's formatted value and the status pdh.dll gave it.
struct ZoneValue {
  PdhStatus status = pdh::ValidData;
  double value = 0;
};

// The few calls of pdh.dll that reading the zones takes, on one query.
// Windows implements it over pdh.dll; the tests script it.
class ZoneCounters {
 public:
  virtual ~ZoneCounters() = default;
  // PdhOpenQueryW: the query the other calls use.
  virtual PdhStatus openQuery() = 0;
  // PdhAddEnglishCounterW: the counter that values() formats from then on.
  virtual PdhStatus addCounter(const std::string& englishPath) = 0;
  // PdhCollectQueryData.
  virtual PdhStatus collect() = 0;
  // PdhGetFormattedCounterArrayW as doubles, one per zone, into `zones`
  // (emptied first).
  virtual PdhStatus values(std::vector<ZoneValue>& zones) = 0;
};

// Why there is no temperature this tick. Placeholder is said of a zone
// passed over as a firmware placeholder (PlaceholderZones).
enum class ZoneFailure { NoZone, NoReading, Absurd, Placeholder };

// The line standard error gets the first time `failure` happens; `status`
// is pdh.dll's status for NoReading, `celsius` the first impossible zone's
// for Absurd and the placeholder's for Placeholder.
std::string zoneFailureLine(ZoneFailure failure, PdhStatus status, double celsius);

// What one tick's zones give: the hottest plausible zone that is not
// passed over, in whole degrees, or why there is none (pdh.dll's status for
// NoReading, the first impossible zone's degrees for Absurd; Placeholder
// when only placeholders gave a value, which has been said already).
struct ZoneChoice {
  std::optional<int16_t> celsius;
  ZoneFailure failure = ZoneFailure::NoZone;
  PdhStatus status = pdh::ValidData;
  double absurdCelsius = 0;
};

// The choice itself, on the values alone. `passedOver` has one flag per zone
// or is empty; `tenthsOfKelvin` says which counter the values come from.
ZoneChoice chooseZone(const std::vector<ZoneValue>& zones, bool tenthsOfKelvin,
                      const std::vector<bool>& passedOver = {});

// The firmware's hottest thermal zone, as Windows publishes it to every
// user. The query is opened and its counter added once, at the first
// reading; each later reading is one collect and one formatting. With the
// CPU's activity at hand, placeholder zones are passed over.
class ThermalZoneTemperature : public TemperatureSource {
 public:
  ThermalZoneTemperature(std::unique_ptr<ZoneCounters> counters, std::ostream& diagnostics,
                         std::shared_ptr<const CpuActivity> activity = nullptr);
  std::optional<int16_t> celsius() override;

 private:
  bool open();
  void notePlaceholders();
  double zoneCelsius(const ZoneValue& zone) const;
  std::nullopt_t fail(ZoneFailure failure, PdhStatus status = pdh::ValidData, double celsius = 0);

  std::unique_ptr<ZoneCounters> counters_;
  std::ostream& diagnostics_;
  bool opened_ = false;
  bool usable_ = false;
  bool tenthsOfKelvin_ = false;
  std::vector<ZoneValue> zones_;  // kept between ticks: no allocation once grown
  std::shared_ptr<const CpuActivity> activity_;
  PlaceholderZones placeholders_;
  std::vector<std::optional<double>> raw_;
  std::bitset<4> said_;
};

}  // namespace kerumo
