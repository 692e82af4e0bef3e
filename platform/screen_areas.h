#pragma once
#include <vector>

#include "platform/form_design.h"
#include "platform/form_layout.h"

namespace kerumo {

// One screen as the window system lists it: its work area (without task
// bars and panels) in pixels, and whether it is the primary one.
struct ScreenArea {
  PixelBox workArea;
  bool primary = false;
};

// What a backend assumes when the window system lists no screen at all.
inline constexpr PixelBox FallbackWorkArea{0, 0, 1024, 768};

// The work areas in twips, primary first and the others in the order
// given; the fallback when there are none.
std::vector<TwipsRect> workAreasPrimaryFirst(const std::vector<ScreenArea>& screens, double twipsPerPixel);

}  // namespace kerumo
