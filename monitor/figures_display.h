#pragma once
#include <cstdint>
#include <optional>

namespace kerumo {

// One usage figure of a tick: the percentage in use and its bar's width in
// twips. The two may come from separate readings of the same source.
struct UsageFigure {
  int16_t percent = 0;
  double barWidth = 0;
  bool operator==(const UsageFigure&) const = default;
};

struct UsageFigures {
  UsageFigure memory;
  UsageFigure resources;
  UsageFigure cpu;
  bool operator==(const UsageFigures&) const = default;
};

// Where the sampling cycle hands each tick's figures; whoever shows them
// decides which label and bar takes which.
class FiguresDisplay {
 public:
  virtual ~FiguresDisplay() = default;
  virtual void showUsage(const UsageFigures& figures) = 0;
  // The temperature register as read, or nothing when there is no reading.
  virtual void showTemperature(std::optional<int16_t> reading) = 0;
};

}  // namespace kerumo
