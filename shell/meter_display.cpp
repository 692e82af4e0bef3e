#include "shell/meter_display.h"

#include <string>

#include "shell/form1_controls.h"
#include "shell/form1_design.h"
#include "shell/meter_figures.h"

namespace kerumo {

MeterDisplay::MeterDisplay(FormWindow& window) : window_(window) {
  for (const FigureDesign& figure : form1Design().figures) current_[figure.name] = told_[figure.name] = figure.reading;
}

void MeterDisplay::showUsage(const UsageFigures& figures) {
  window_.setCaption(form1::Label3, std::to_string(figures.resources.percent));
  window_.setCaption(form1::Label2, std::to_string(figures.memory.percent));
  window_.setCaption(form1::Label16, std::to_string(figures.cpu.percent));
  window_.setWidth(form1::Shape1, figures.memory.barWidth);
  window_.setWidth(form1::Shape3, figures.cpu.barWidth);
  window_.setWidth(form1::Shape5, figures.resources.barWidth);
  read(form1::MemoryFigure, memoryReading(figures.memory.percent));
  read(form1::ResourcesFigure, resourcesReading(figures.resources.percent));
  read(form1::CpuFigure, cpuReading(figures.cpu.percent));
  announce();
}

void MeterDisplay::showTemperature(std::optional<int16_t> reading) {
  window_.setCaption(form1::Label5, reading ? std::to_string(*reading) : NoReadingText);
  read(form1::TemperatureFigure, temperatureReading(reading));
  announce();
}

void MeterDisplay::read(const char* figure, FigureReading reading) { current_[figure] = std::move(reading); }

void MeterDisplay::announce() {
  if (!window_.isVisible()) return;
  for (const auto& [figure, reading] : current_) {
    FigureReading& told = told_[figure];
    if (told == reading) continue;
    told = reading;
    window_.setFigure(figure, reading);
  }
}

}  // namespace kerumo
