#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kerumo {

// The tray icon's callback message and the mouse messages it reports, with
// the window system's values.
namespace TrayMessage {
inline constexpr uint32_t Callback = 0x200;
inline constexpr int32_t LeftButtonDown = 0x201;
inline constexpr int32_t RightButtonDown = 0x204;
}  // namespace TrayMessage

// The shell hands the tray icon's mouse message to the meter window as the X
// of a mouse move, in pixels, and the form hears X in twips. Both directions
// go through the twips per pixel rounded to a whole number, so the message
// comes back exact at every scale. (At 192 DPI a right click converted with
// 7.5 twips per pixel and divided by 8 came back as 483, not 0x204.)

// Rounds like the window system's float-to-long conversion: half to even.
// Beyond 32 bits it stops at the nearer end, where no mouse message lies.
inline int32_t roundToInt32(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int32_t>(std::clamp(std::nearbyint(value), -2147483648.0, 2147483647.0));
}

// Whole twips per pixel; at least 1, beyond 2880 DPI too.
inline int32_t wholeTwipsPerPixel(double twipsPerPixel) { return std::max(1, roundToInt32(twipsPerPixel)); }

// X in twips of a move posted to a form with `pixels` as its X.
inline double postedMoveTwips(int32_t pixels, double twipsPerPixel) {
  return static_cast<double>(pixels) * wholeTwipsPerPixel(twipsPerPixel);
}

// The mouse message that the X of a tray callback stands for.
inline int32_t trayMessageAt(double x, double twipsPerPixel) {
  return roundToInt32(x) / wholeTwipsPerPixel(twipsPerPixel);
}

}  // namespace kerumo
