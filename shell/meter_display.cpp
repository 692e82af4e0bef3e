#include "shell/meter_display.h"

#include <string>

namespace kerumo {

void MeterDisplay::showUsage(const UsageFigures& figures) {
  window_.setCaption("Label3", std::to_string(figures.resources.percent));
  window_.setCaption("Label2", std::to_string(figures.memory.percent));
  window_.setCaption("Label16", std::to_string(figures.cpu.percent));
  window_.setWidth("Shape1", figures.memory.barWidth);
  window_.setWidth("Shape3", figures.cpu.barWidth);
  window_.setWidth("Shape5", figures.resources.barWidth);
}

void MeterDisplay::showTemperature(std::optional<int16_t> reading) {
  window_.setCaption("Label5", reading ? std::to_string(*reading) : NoReadingText);
}

}  // namespace kerumo
