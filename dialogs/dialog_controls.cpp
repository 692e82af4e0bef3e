#include "dialogs/dialog_controls.h"

namespace kerumo {

ControlDesign dialogLabel(const char* name, const char* caption, const TwipsRect& rect, int tabIndex, double points) {
  ControlDesign c;
  c.name = name;
  c.kind = ControlKind::Label;
  c.caption = caption;
  c.rect = rect;
  c.font = FontDesign{GothicFamily, points, false};
  c.autoSize = true;
  c.tabIndex = tabIndex;
  return c;
}

ControlDesign dialogButton(const char* name, const char* caption, const TwipsRect& rect, int tabIndex) {
  ControlDesign c;
  c.name = name;
  c.kind = ControlKind::Button;
  c.caption = caption;
  c.rect = rect;
  c.font = FontDesign{PGothicFamily, 9, false};
  c.tabIndex = tabIndex;
  return c;
}

}  // namespace kerumo
