#pragma once
#include <map>
#include <string>
#include <tuple>

#include "platform/form_colours.h"
#include "platform/form_design.h"
#include "platform/form_layout.h"
#include "platform/win32/win32_handles.h"

namespace kerumo::win32 {

// Asks for per-monitor DPI awareness where the system has it, so the
// window system does not stretch our pixels.
void declareDpiAwareness();
// Dots per inch of the screen `window` is on, or of the whole system.
int dpiOf(HWND window);
int systemDpi();

// 1440 twips to the inch.
double twipsPerPixel(int dpi);
int toPixels(double twips, int dpi);
double toTwips(int pixels, int dpi);

COLORREF toColorRef(Colour colour);
// High contrast when the user has switched it on; Windows' other themes
// leave the classic system colours to programs like this one.
DesktopColours desktopColours();

// The design's fonts, made once per form and DPI.
class FontCache {
 public:
  HFONT get(const FontDesign& wanted, int dpi);

 private:
  std::map<std::tuple<std::string, double, bool, bool, int>, UniqueFont> fonts_;
  std::map<std::string, std::wstring> families_;  // design family -> installed one
};

// Paints into a memory bitmap and copies it to the window in one go, so
// the meter never flickers at its twice-a-second repaint.
class BufferedPaint {
 public:
  BufferedPaint(HDC target, int width, int height);
  BufferedPaint(const BufferedPaint&) = delete;
  BufferedPaint& operator=(const BufferedPaint&) = delete;
  ~BufferedPaint();
  HDC dc() const { return memory_.get(); }

 private:
  HDC target_;
  int width_;
  int height_;
  UniqueDc memory_;
  UniqueBitmap bitmap_;
  HGDIOBJ oldBitmap_;
};

inline PixelBox toPixelBox(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }
inline RECT toRect(const PixelBox& b) { return {b.left, b.top, b.left + b.width, b.top + b.height}; }

void fillRect(HDC dc, const RECT& rect, COLORREF colour);
void frameRect(HDC dc, const RECT& rect, COLORREF colour);

}  // namespace kerumo::win32
