#include "shell/meter_display.h"

#include <string>

#include "shell/form1_controls.h"

namespace kerumo {

void MeterDisplay::showUsage(const UsageFigures& figures) {
  window_.setCaption(form1::Label3, std::to_string(figures.resources.percent));
  window_.setCaption(form1::Label2, std::to_string(figures.memory.percent));
  window_.setCaption(form1::Label16, std::to_string(figures.cpu.percent));
  window_.setWidth(form1::Shape1, figures.memory.barWidth);
  window_.setWidth(form1::Shape3, figures.cpu.barWidth);
  window_.setWidth(form1::Shape5, figures.resources.barWidth);
}

void MeterDisplay::showTemperature(std::optional<int16_t> reading) {
  window_.setCaption(form1::Label5, reading ? std::to_string(*reading) : NoReadingText);
}

}  // namespace kerumo
