#pragma once
#include <vector>

#include "platform/form_design.h"

namespace kerumo {

// Where the meter window goes when it has no usable saved position: near the
// top-right corner of the primary screen's work area.
TwipsRect defaultPlacement(const TwipsRect& primaryWorkArea, double width, double height, double twipsPerPixel);

// True when enough of `window` lies on some screen for the user to see and
// grab it.
bool isReachable(const TwipsRect& window, const std::vector<TwipsRect>& workAreas, double twipsPerPixel);

}  // namespace kerumo
