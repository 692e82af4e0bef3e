#include "shell/window_placement.h"

#include <gtest/gtest.h>

namespace kerumo {
namespace {

TEST(WindowPlacement, DefaultSitsInsideTheTopRightOfTheWorkArea) {
  const TwipsRect area{15000, 450, 19200, 15000};
  const TwipsRect place = defaultPlacement(area, 3660, 900, 15);
  EXPECT_EQ(place.left + place.width, area.left + area.width - 16 * 15);
  EXPECT_EQ(place.top, area.top + 16 * 15);
}

TEST(WindowPlacement, ReachableNeedsAGrabbablePieceOnSomeScreen) {
  const std::vector<TwipsRect> screens{{0, 0, 19200, 15000}, {19200, 0, 19200, 15000}};
  const struct {
    TwipsRect window;
    bool reachable;
  } cases[] = {
      {{600, 900, 3660, 900}, true},
      {{-3000, 900, 3660, 900}, true},     // 660 twips still on screen
      {{-3500, 900, 3660, 900}, false},    // only 160 twips: too little to grab
      {{20000, 900, 3660, 900}, true},     // on the second screen
      {{40000, 900, 3660, 900}, false},    // the unplugged third one
      {{600, -30000, 3660, 900}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(isReachable(c.window, screens, 15), c.reachable) << c.window.left;
}

}  // namespace
}  // namespace kerumo
