#pragma once
#include <string>
#include <vector>

#include "platform/form_design.h"

namespace kerumo {

// A box in whole screen or client pixels.
struct PixelBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelBox&) const = default;
};

struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// Rules of the forms' layout that every backend applies the same way; the
// backends only measure and move.

// The controls that take the keyboard (check boxes, text fields, buttons,
// links)
// in the order Tab visits them: by tab index, creation order among equals.
std::vector<std::string> tabOrder(const FormDesign& design);

// Where a label shows its text of `textWidth` x `textHeight` pixels, given
// its design box in pixels: an auto-sized label fits its text and keeps the
// edge its alignment names, so a right-aligned figure stays by its unit.
PixelBox labelBox(const ControlDesign& label, const PixelBox& designBox, int textWidth, int textHeight);

// The top-left corner that centres a window of `width` x `height` pixels
// on `workArea`.
PixelPoint centredOrigin(const PixelBox& workArea, int width, int height);

}  // namespace kerumo
