#include "shell/meter_figures.h"

#include <string>

namespace kerumo {
namespace {

constexpr const char* NoReading = "計測できません";

FigureReading reading(const char* what, int16_t value, const char* unit) {
  const std::string text = std::to_string(value) + unit;
  return {std::string(what) + " " + text, text, value};
}

}  // namespace

FigureReading temperatureReading(std::optional<int16_t> reading) {
  if (!reading) return {std::string("CPU温度 ") + NoReading, NoReading, std::nullopt};
  return kerumo::reading("CPU温度", *reading, "℃");
}

FigureReading memoryReading(int16_t percent) { return reading("メモリ使用率", percent, "%"); }

FigureReading resourcesReading(int16_t percent) { return reading("システムリソース使用率", percent, "%"); }

FigureReading cpuReading(int16_t percent) { return reading("CPU使用率", percent, "%"); }

}  // namespace kerumo
