#include "platform/screen_areas.h"

namespace kerumo {
namespace {

TwipsRect inTwips(const PixelBox& box, double twipsPerPixel) {
  return {box.left * twipsPerPixel, box.top * twipsPerPixel, box.width * twipsPerPixel, box.height * twipsPerPixel};
}

}  // namespace

std::vector<TwipsRect> workAreasPrimaryFirst(const std::vector<ScreenArea>& screens, double twipsPerPixel) {
  std::vector<TwipsRect> areas;
  for (const bool primary : {true, false}) {
    for (const ScreenArea& screen : screens)
      if (screen.primary == primary) areas.push_back(inTwips(screen.workArea, twipsPerPixel));
  }
  if (areas.empty()) areas.push_back(inTwips(FallbackWorkArea, twipsPerPixel));
  return areas;
}

}  // namespace kerumo
