#pragma once
#include <cstdint>
#include <optional>

#include "platform/form_design.h"

namespace kerumo {

// How a screen reader reads the meter's figures: what it is, the value and
// its unit in one item, so that no number is heard without its meaning.
FigureReading temperatureReading(std::optional<int16_t> reading);
FigureReading memoryReading(int16_t percent);
FigureReading resourcesReading(int16_t percent);
FigureReading cpuReading(int16_t percent);

}  // namespace kerumo
