// The tray callback's decoding: a posted mouse message comes back exact at
// every scale, and no X the window system may report is undefined.
#include "fuzz_check.h"
#include "platform/tray_callback.h"

KERUMO_FUZZ_TARGET(, input) {
  const auto message = input.ConsumeIntegral<int16_t>();  // a posted move's X is 16 bits
  const auto dpi = input.ConsumeIntegralInRange<int>(1, 9600);
  const double twipsPerPixel = 1440.0 / dpi;
  require(trayMessageAt(postedMoveTwips(message, twipsPerPixel), twipsPerPixel) == message,
          "a posted message comes back exact at every scale");
  // Whatever X and scale a backend hands over.
  const double x = input.ConsumeFloatingPoint<double>();
  const double scale = input.ConsumeFloatingPoint<double>();
  require(wholeTwipsPerPixel(scale) >= 1, "the divisor is at least 1");
  trayMessageAt(x, scale);
}
