#pragma once
#include "platform/form_design.h"

namespace kerumo {

inline constexpr double TwipsPerPixelAt96Dpi = 15;
// 585 twips of design client area plus the one-line menu bar that start-up
// hides: 19 pixels at 96 dots per inch.
inline constexpr double Form1ClientWidth = 3630;
inline constexpr double Form1ClientHeight = 585 + 19 * TwipsPerPixelAt96Dpi;

// The meter window: controls in creation order, and its popup menu.
FormDesign form1Design();

}  // namespace kerumo
