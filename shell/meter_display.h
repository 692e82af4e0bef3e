#pragma once
#include <map>
#include <string>

#include "monitor/figures_display.h"
#include "platform/form_window.h"

namespace kerumo {

// Shown in the temperature label when there is no reading.
inline constexpr const char* NoReadingText = "--";

// The meter window's value labels and bars, as the sampling cycle fills them:
// plain decimal text, the unit stands in a label of its own. A screen reader
// hears of a figure only when it reads differently, and only while the
// meter is in view; what changed meanwhile is told when it shows again.
class MeterDisplay : public FiguresDisplay {
 public:
  explicit MeterDisplay(FormWindow& window);

  void showUsage(const UsageFigures& figures) override;
  void showTemperature(std::optional<int16_t> reading) override;
  // The meter may have come into view.
  void announce();

 private:
  void read(const char* figure, FigureReading reading);

  FormWindow& window_;
  std::map<std::string, FigureReading> current_;
  std::map<std::string, FigureReading> told_;
};

}  // namespace kerumo
