#include "platform/win32/win32_controls.h"

#include <commctrl.h>
#include <imm.h>

#include "platform/form_layout.h"
#include "platform/win32/win32_graphics.h"
#include "platform/win32/win32_text.h"

namespace kerumo::win32 {
namespace {

RECT toPixels(const TwipsRect& rect, int dpi) {
  const int left = win32::toPixels(rect.left, dpi);
  const int top = win32::toPixels(rect.top, dpi);
  return {left, top, left + win32::toPixels(rect.width, dpi), top + win32::toPixels(rect.height, dpi)};
}

struct KeyRoute {
  FormEvents* events;
  const std::string* name;
};

LRESULT CALLBACK typedCharacterFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data) {
  auto* route = reinterpret_cast<KeyRoute*>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(edit, typedCharacterFilter, id);
    delete route;
  } else if (message == WM_CHAR || message == WM_IME_CHAR) {
    // Control characters go through the filter too: dropping them is what
    // keeps Ctrl+V, Ctrl+C and Ctrl+X from editing the field.
    int keyAscii = static_cast<int>(wParam);
    route->events->onKeyPress(*route->name, keyAscii);
    if (keyAscii == 0) return 0;
    wParam = static_cast<WPARAM>(keyAscii);
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

struct ChildStyle {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
};

ChildStyle childStyle(ControlKind kind) {
  switch (kind) {
    case ControlKind::CheckBox: return {L"BUTTON", BS_AUTOCHECKBOX, 0};
    case ControlKind::TextBox: return {L"EDIT", ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE};
    default: return {L"BUTTON", BS_PUSHBUTTON, 0};
  }
}

}  // namespace

DrawnControl makeDrawnControl(const ControlDesign& design, int dpi) {
  DrawnControl control;
  control.design = design;
  control.box = toPixels(design.rect, dpi);
  control.text = widen(design.caption);
  control.foreColour = design.foreColour;
  control.fore = toColorRef(design.foreColour);
  control.border = toColorRef(design.borderColour);
  control.visible = design.visible;
  if (design.kind == ControlKind::Image) control.picture = decodePicture(design.picture);
  return control;
}

void fitLabel(DrawnControl& label, HDC dc, HFONT font, int dpi) {
  if (label.design.kind != ControlKind::Label) return;
  SelectedObject selected(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, label.text.c_str(), static_cast<int>(label.text.size()), &size);
  if (label.text.empty()) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    size.cy = metrics.tmHeight;
  }
  label.box = toRect(labelBox(label.design, toPixelBox(toPixels(label.design.rect, dpi)), size.cx, size.cy));
}

void placeDrawn(DrawnControl& control, HDC dc, HFONT font, int dpi) {
  control.box = toPixels(control.design.rect, dpi);
  fitLabel(control, dc, font, dpi);
}

void placeChild(HWND child, const ControlDesign& design, int dpi, HFONT font) {
  const RECT box = toPixels(design.rect, dpi);
  MoveWindow(child, box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void paintDrawn(HDC dc, const DrawnControl& control, HFONT font) {
  if (!control.visible) return;
  const RECT& box = control.box;
  switch (control.design.kind) {
    case ControlKind::Label: {
      if (!control.design.transparent) fillRect(dc, box, toColorRef(control.design.fillColour));
      SelectedObject selected(dc, font);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, control.fore);
      RECT text = box;
      DrawTextW(dc, control.text.c_str(), static_cast<int>(control.text.size()), &text,
                DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_TOP | (control.design.alignment == Alignment::Right ? DT_RIGHT : DT_LEFT));
      break;
    }
    case ControlKind::Shape:
      if (box.right <= box.left) return;
      fillRect(dc, box, toColorRef(control.design.fillColour));
      frameRect(dc, box, control.border);
      break;
    case ControlKind::Image: drawBitmap(dc, control.picture, box); break;
    default: break;
  }
}

HWND createChildControl(HWND parent, const ControlDesign& design, int id, int dpi, HFONT font) {
  const ChildStyle kind = childStyle(design.kind);
  const RECT box = toPixels(design.rect, dpi);
  DWORD style = WS_CHILD | WS_TABSTOP | kind.style;
  if (design.visible) style |= WS_VISIBLE;
  if (!design.enabled) style |= WS_DISABLED;
  HWND child = CreateWindowExW(kind.exStyle, kind.windowClass, widen(design.caption).c_str(), style, box.left, box.top,
                               box.right - box.left, box.bottom - box.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // No input-method context: nothing to compose, so typing stays in ASCII.
  if (!design.inputMethod) ImmAssociateContextEx(child, nullptr, 0);
  return child;
}

void routeTypedCharacters(HWND edit, FormEvents& events, const std::string& name) {
  SetWindowSubclass(edit, typedCharacterFilter, 1, reinterpret_cast<DWORD_PTR>(new KeyRoute{&events, &name}));
}

}  // namespace kerumo::win32
