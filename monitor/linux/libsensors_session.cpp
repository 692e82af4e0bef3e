#include "monitor/linux/libsensors_session.h"

#include <atomic>
#include <cstdlib>
#include <string>

namespace kerumo {
namespace {

// Mirrors libsensors' own process-wide state, so that a second session cannot
// tear the chips down under the first.
std::atomic<bool>& sessionLive() {
  static std::atomic<bool> live{false};
  return live;
}

std::string labelOf(const sensors_chip_name* chip, const sensors_feature* feature) {
  const std::unique_ptr<char, decltype(&std::free)> label(sensors_get_label(chip, feature), &std::free);
  return label ? label.get() : feature->name;
}

}  // namespace

std::unique_ptr<LibsensorsSession> LibsensorsSession::open() {
  if (sessionLive().exchange(true)) return nullptr;
  if (sensors_init(nullptr) != 0) {
    sensors_cleanup();
    sessionLive() = false;
    return nullptr;
  }
  return std::unique_ptr<LibsensorsSession>(new LibsensorsSession);
}

LibsensorsSession::~LibsensorsSession() {
  sensors_cleanup();
  sessionLive() = false;
}

std::vector<LibsensorsSession::Input> LibsensorsSession::temperatures() const {
  std::vector<Input> inputs;
  int chipNr = 0;
  while (const sensors_chip_name* chip = sensors_get_detected_chips(nullptr, &chipNr)) {
    int featureNr = 0;
    while (const sensors_feature* feature = sensors_get_features(chip, &featureNr)) {
      if (feature->type != SENSORS_FEATURE_TEMP) continue;
      const sensors_subfeature* input = sensors_get_subfeature(chip, feature, SENSORS_SUBFEATURE_TEMP_INPUT);
      if (input == nullptr) continue;
      inputs.push_back({{chip->prefix, labelOf(chip, feature), read(chip, input->number)}, chip, input->number});
    }
  }
  return inputs;
}

std::optional<double> LibsensorsSession::read(const sensors_chip_name* chip, int subfeature) const {
  double value = 0;
  if (sensors_get_value(chip, subfeature, &value) != 0) return std::nullopt;
  return value;
}

}  // namespace kerumo
