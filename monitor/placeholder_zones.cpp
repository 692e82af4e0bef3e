#include "monitor/placeholder_zones.h"

namespace kerumo {

std::vector<std::size_t> PlaceholderZones::update(const std::vector<std::optional<double>>& raw,
                                                  const CpuActivity& activity) {
  const auto now = activity.now();
  // Another set of zones (a zone came or went): each starts afresh.
  if (raw.size() != zones_.size()) {
    zones_.assign(raw.size(), Zone{std::nullopt, now});
    passedOver_.assign(raw.size(), false);
  }
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    Zone& zone = zones_[i];
    if (raw[i] != zone.value) {
      zone = Zone{raw[i], now};
      continue;
    }
    if (passedOver_[i] || !zone.value || now - zone.since < FlatSpan) continue;
    const auto moved = activity.rangeSince(now - FlatSpan);
    if (moved && *moved >= BusyRange) {
      passedOver_[i] = true;
      found.push_back(i);
    }
  }
  return found;
}

}  // namespace kerumo
