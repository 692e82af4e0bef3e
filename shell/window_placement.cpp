#include "shell/window_placement.h"

#include <algorithm>

namespace kerumo {
namespace {

constexpr double MarginPixels = 16;
constexpr double GrabbablePixels = 16;

double overlap(double start1, double length1, double start2, double length2) {
  return std::min(start1 + length1, start2 + length2) - std::max(start1, start2);
}

}  // namespace

TwipsRect defaultPlacement(const TwipsRect& area, double width, double height, double twipsPerPixel) {
  const double margin = MarginPixels * twipsPerPixel;
  const double left = std::max(area.left, area.left + area.width - width - margin);
  return {left, area.top + margin, width, height};
}

bool isReachable(const TwipsRect& window, const std::vector<TwipsRect>& workAreas, double twipsPerPixel) {
  const double needed = GrabbablePixels * twipsPerPixel;
  return std::any_of(workAreas.begin(), workAreas.end(), [&](const TwipsRect& area) {
    return overlap(window.left, window.width, area.left, area.width) >= std::min(needed, window.width) &&
           overlap(window.top, window.height, area.top, area.height) >= std::min(needed, window.height);
  });
}

}  // namespace kerumo
