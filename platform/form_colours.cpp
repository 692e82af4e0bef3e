#include "platform/form_colours.h"

namespace kerumo {
namespace {

const Colour Black = Colour::bgr(0);
const Colour Blue = Colour::bgr(0xFF0000);

bool overPicture(const FormDesign& form, const ControlDesign& control) {
  return form.background != Picture::None && (control.transparent || control.kind == ControlKind::Shape);
}

}  // namespace

bool drawsPicture(const FormDesign& form, DesktopColours desktop) {
  return form.background != Picture::None && desktop != DesktopColours::HighContrast;
}

Colour shownBackColour(const FormDesign& form, DesktopColours desktop) {
  if (form.background != Picture::None && desktop == DesktopColours::HighContrast) {
    return Colour::system(SystemColour::ButtonFace);
  }
  return form.backColour;
}

Colour shownColour(const FormDesign& form, const ControlDesign& control, Colour designed, DesktopColours desktop) {
  const bool system = designed.kind == Colour::Kind::System;
  if (system && overPicture(form, control) && desktop != DesktopColours::HighContrast) return Black;
  return designed;
}

Colour shownLinkColour(Colour designed, DesktopColours desktop) {
  if (desktop == DesktopColours::Designed || designed.kind == Colour::Kind::System) return designed;
  return Colour::system(designed == Blue ? SystemColour::HotLight : SystemColour::WindowText);
}

}  // namespace kerumo
