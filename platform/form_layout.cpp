#include "platform/form_layout.h"

#include <algorithm>

namespace kerumo {

std::vector<std::string> tabOrder(const FormDesign& design) {
  std::vector<const ControlDesign*> tabbed;
  for (const ControlDesign& c : design.controls) {
    if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::TextBox || c.kind == ControlKind::Button || c.link) {
      tabbed.push_back(&c);
    }
  }
  std::stable_sort(tabbed.begin(), tabbed.end(), [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
  std::vector<std::string> names(tabbed.size());
  std::transform(tabbed.begin(), tabbed.end(), names.begin(), [](auto* c) { return c->name; });
  return names;
}

PixelBox labelBox(const ControlDesign& label, const PixelBox& designBox, int textWidth, int textHeight) {
  if (!label.autoSize) return designBox;
  const int left = label.alignment == Alignment::Right ? designBox.left + designBox.width - textWidth : designBox.left;
  return {left, designBox.top, textWidth, textHeight};
}

PixelPoint centredOrigin(const PixelBox& workArea, int width, int height) {
  return {workArea.left + (workArea.width - width) / 2, workArea.top + (workArea.height - height) / 2};
}

}  // namespace kerumo
