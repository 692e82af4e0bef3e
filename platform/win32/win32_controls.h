#pragma once
#include <string>

#include "platform/form_design.h"
#include "platform/form_window.h"
#include "platform/win32/win32_pictures.h"

namespace kerumo::win32 {

// A control the form paints itself (label, shape, picture): these are not
// windows, so transparent labels show the form's picture behind them.
struct DrawnControl {
  ControlDesign design;
  RECT box{};  // where it is now, in client pixels
  std::wstring text;
  Colour foreColour;  // as the design or the core last set it
  COLORREF fore = 0;  // as shown on this desktop
  COLORREF border = 0;
  bool visible = true;
  Bitmap picture;

  // Labels and pictures take the mouse over their box; shapes let it
  // through to the form.
  bool takesMouse() const { return visible && design.kind != ControlKind::Shape; }
};

DrawnControl makeDrawnControl(const ControlDesign& design, int dpi);
// An auto-sized label fits its text; a right-aligned one keeps the right
// edge of its design box.
void fitLabel(DrawnControl& label, HDC dc, HFONT font, int dpi);
// Puts the control where its design says at `dpi`, fitted as above.
void placeDrawn(DrawnControl& control, HDC dc, HFONT font, int dpi);
// Moves a child window to its design rectangle at `dpi`, in `font`.
void placeChild(HWND child, const ControlDesign& design, int dpi, HFONT font);
void paintDrawn(HDC dc, const DrawnControl& control, HFONT font);

// A real child window for the controls that take the keyboard.
HWND createChildControl(HWND parent, const ControlDesign& design, int id, int dpi, HFONT font);

// Hands every character typed into `edit` to the form first, which may
// swallow it by setting it to 0. `name` must outlive the window.
void routeTypedCharacters(HWND edit, FormEvents& events, const std::string& name);

}  // namespace kerumo::win32
