#include "monitor/cpu_sensor_choice.h"

#include <cmath>
#include <functional>
#include <string_view>

namespace kerumo {
namespace {

using Candidates = std::vector<SensorCandidate>;
using Index = std::optional<std::size_t>;

Index find(const Candidates& candidates, const std::function<bool(const SensorCandidate&)>& matches) {
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    if (matches(candidates[i])) return i;
  }
  return std::nullopt;
}

Index labelled(const Candidates& candidates, std::string_view chip, std::string_view label) {
  return find(candidates, [&](const SensorCandidate& c) { return c.chip == chip && c.label == label; });
}

Index anyOf(const Candidates& candidates, std::string_view chip) {
  return find(candidates, [&](const SensorCandidate& c) { return c.chip == chip; });
}

bool isCore(const SensorCandidate& c) { return c.chip == "coretemp" && c.label.starts_with("Core "); }

bool hotter(const SensorCandidate& a, const SensorCandidate& b) {
  const bool aValid = a.celsius && wholeDegrees(*a.celsius);
  const bool bValid = b.celsius && wholeDegrees(*b.celsius);
  if (aValid != bValid) return aValid;
  return aValid && *a.celsius > *b.celsius;
}

Index hottestCore(const Candidates& candidates) {
  Index best;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    if (isCore(candidates[i]) && (!best || hotter(candidates[i], candidates[*best]))) best = i;
  }
  return best;
}

Index intel(const Candidates& candidates) {
  if (const Index package = labelled(candidates, "coretemp", "Package id 0")) return package;
  return hottestCore(candidates);
}

Index amd(const Candidates& candidates) {
  for (const char* label : {"Tdie", "Tctl"}) {
    for (const char* chip : {"k10temp", "zenpower"}) {
      if (const Index found = labelled(candidates, chip, label)) return found;
    }
  }
  return std::nullopt;
}

// Thermal zones carry no labels worth reading: their chip name says it all.
Index zones(const Candidates& candidates, std::initializer_list<std::string_view> chips) {
  for (const std::string_view chip : chips) {
    if (const Index found = anyOf(candidates, chip)) return found;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::size_t> chooseCpuSensor(const std::vector<SensorCandidate>& candidates) {
  if (const Index found = intel(candidates)) return found;
  if (const Index found = amd(candidates)) return found;
  if (const Index found = zones(candidates, {"cpu_thermal", "soc_thermal"})) return found;
  return zones(candidates, {"acpitz"});
}

std::optional<int16_t> wholeDegrees(double celsius) {
  if (!(celsius >= -40.0 && celsius <= 150.0)) return std::nullopt;
  return static_cast<int16_t>(std::lround(celsius));
}

}  // namespace kerumo
