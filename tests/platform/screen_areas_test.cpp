#include "platform/screen_areas.h"

#include <gtest/gtest.h>

namespace kerumo {
namespace {

TEST(ScreenAreas, PrimaryComesFirstAndTheOthersKeepTheirOrder) {
  const PixelBox left{-1280, 0, 1280, 1024};
  const PixelBox primary{0, 0, 1920, 1050};
  const PixelBox right{1920, 30, 1280, 994};
  const struct {
    std::vector<ScreenArea> screens;
    double twipsPerPixel;
    std::vector<TwipsRect> areas;
  } cases[] = {
      {{{primary, true}}, 15, {{0, 0, 28800, 15750}}},
      {{{left, false}, {primary, true}, {right, false}},
       15,
       {{0, 0, 28800, 15750}, {-19200, 0, 19200, 15360}, {28800, 450, 19200, 14910}}},
      {{{right, false}, {left, false}}, 15, {{28800, 450, 19200, 14910}, {-19200, 0, 19200, 15360}}},
      {{{primary, true}}, 10, {{0, 0, 19200, 10500}}},  // 144 dots per inch
      {{}, 15, {{0, 0, 1024 * 15, 768 * 15}}},           // no screen listed: the fallback
      {{}, 10, {{0, 0, 10240, 7680}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(workAreasPrimaryFirst(c.screens, c.twipsPerPixel), c.areas) << c.screens.size();
  }
}

}  // namespace
}  // namespace kerumo
