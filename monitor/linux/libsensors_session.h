#pragma once
#include <sensors/sensors.h>

#include <memory>
#include <optional>
#include <vector>

#include "monitor/cpu_sensor_choice.h"

namespace kerumo {

// libsensors keeps one list of chips for the whole process, set up by
// sensors_init and torn down by sensors_cleanup: a session owns that list,
// and only one session lives at a time.
class LibsensorsSession {
 public:
  // A temperature input: how it is named, and how to read it again.
  struct Input {
    SensorCandidate candidate;
    const sensors_chip_name* chip;
    int subfeature;
  };

  // Nothing when libsensors will not start or another session is live.
  static std::unique_ptr<LibsensorsSession> open();
  LibsensorsSession(const LibsensorsSession&) = delete;
  LibsensorsSession& operator=(const LibsensorsSession&) = delete;
  ~LibsensorsSession();

  // Every temperature input of every chip, with its current reading.
  std::vector<Input> temperatures() const;
  std::optional<double> read(const sensors_chip_name* chip, int subfeature) const;

 private:
  LibsensorsSession() = default;
};

}  // namespace kerumo
