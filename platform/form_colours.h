#pragma once
#include "platform/form_design.h"

namespace kerumo {

// How the desktop's colours stand against the forms' design, which was made
// for a light button face with black text.
enum class DesktopColours {
  Designed,      // light button face, dark text
  DarkTheme,     // a theme whose button face is dark
  HighContrast,  // the user's own pair of colours, nothing drawn behind text
};

// High contrast wants no picture behind text.
bool drawsPicture(const FormDesign& form, DesktopColours desktop);

// The client area's colour: in high contrast a pictured form takes the
// system's button face, the pair of its labels' button text.
Colour shownBackColour(const FormDesign& form, DesktopColours desktop);

// A control's text or outline colour as shown. Over the form's picture the
// system colours are those the picture was made for, Windows' button and
// window text outside high contrast, which are black, whatever the
// desktop's palette; in high contrast, where the picture is gone, the
// system's own.
Colour shownColour(const FormDesign& form, const ControlDesign& control, Colour designed, DesktopColours desktop);

// A link's colour set at run time: the design's black and blue on the
// designed light face, else the system's text and hot-track colours, so a
// link never vanishes into a dark background.
Colour shownLinkColour(Colour designed, DesktopColours desktop);

}  // namespace kerumo
