#pragma once
#include "monitor/figures_display.h"
#include "platform/form_window.h"

namespace kerumo {

// Shown in the temperature label when there is no reading.
inline constexpr const char* NoReadingText = "--";

// The meter window's value labels and bars, as the sampling cycle fills them:
// plain decimal text, the unit stands in a label of its own.
class MeterDisplay : public FiguresDisplay {
 public:
  explicit MeterDisplay(FormWindow& window) : window_(window) {}

  void showUsage(const UsageFigures& figures) override;
  void showTemperature(std::optional<int16_t> reading) override;

 private:
  FormWindow& window_;
};

}  // namespace kerumo
