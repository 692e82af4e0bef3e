#include "monitor/linux/sensors_temperature.h"

#include "monitor/linux/libsensors_session.h"

namespace kerumo {
namespace {

class LibsensorsSensor : public TemperatureSensor {
 public:
  LibsensorsSensor(std::unique_ptr<LibsensorsSession> session, const sensors_chip_name* chip, int subfeature)
      : session_(std::move(session)), chip_(chip), subfeature_(subfeature) {}

  std::optional<double> read() override { return session_->read(chip_, subfeature_); }

 private:
  std::unique_ptr<LibsensorsSession> session_;  // keeps chip_ alive
  const sensors_chip_name* chip_;
  int subfeature_;
};

}  // namespace

std::unique_ptr<TemperatureSensor> resolveCpuSensor() {
  std::unique_ptr<LibsensorsSession> session = LibsensorsSession::open();
  if (!session) return nullptr;
  const std::vector<LibsensorsSession::Input> inputs = session->temperatures();
  std::vector<SensorCandidate> candidates;
  candidates.reserve(inputs.size());
  for (const auto& input : inputs) candidates.push_back(input.candidate);
  const std::optional<std::size_t> chosen = chooseCpuSensor(candidates);
  if (!chosen) return nullptr;
  const LibsensorsSession::Input& input = inputs.at(*chosen);
  return std::make_unique<LibsensorsSensor>(std::move(session), input.chip, input.subfeature);
}

}  // namespace kerumo
