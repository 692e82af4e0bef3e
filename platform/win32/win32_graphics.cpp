#include "platform/win32/win32_graphics.h"

#include <cmath>

#include "platform/win32/win32_text.h"

namespace kerumo::win32 {
namespace {

constexpr double TwipsPerInch = 1440;

// Functions newer than the oldest system we run on: looked up, not linked.
template <class Function>
Function* user32Function(const char* name) {
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool fontInstalled(const std::wstring& family) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  family.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  WindowDc screen(nullptr);
  EnumFontFamiliesExW(screen.get(), &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// The designs ask for the classic Japanese gothics. A system without them
// (Windows without its Japanese fonts, wine) would otherwise map the name
// to a font without a single glyph of ours: take the nearest gothic there is.
std::wstring installedFamily(const std::string& wanted, std::map<std::string, std::wstring>& chosen) {
  if (const auto it = chosen.find(wanted); it != chosen.end()) return it->second;
  std::wstring family = widen(wanted);
  const std::wstring gothic = widen(GothicFamily);
  for (const wchar_t* candidate : {family.c_str(), gothic.c_str(), L"Yu Gothic", L"Meiryo", L"IPAGothic",
                                   L"Noto Sans CJK JP"}) {
    if (fontInstalled(candidate)) {
      family = candidate;
      break;
    }
  }
  return chosen[wanted] = family;
}

}  // namespace

void declareDpiAwareness() {
  using SetContext = BOOL WINAPI(HANDLE);
  if (auto* setContext = user32Function<SetContext>("SetProcessDpiAwarenessContext")) {
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    if (setContext(reinterpret_cast<HANDLE>(static_cast<intptr_t>(-4)))) return;
  }
  SetProcessDPIAware();
}

int systemDpi() {
  WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
  return dpi > 0 ? dpi : 96;
}

int dpiOf(HWND window) {
  using GetDpi = UINT WINAPI(HWND);
  static auto* getDpi = user32Function<GetDpi>("GetDpiForWindow");
  if (getDpi && window) {
    const UINT dpi = getDpi(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return systemDpi();
}

double twipsPerPixel(int dpi) { return TwipsPerInch / dpi; }

int toPixels(double twips, int dpi) { return static_cast<int>(std::lround(twips / twipsPerPixel(dpi))); }

double toTwips(int pixels, int dpi) { return pixels * twipsPerPixel(dpi); }

COLORREF toColorRef(Colour colour) {
  if (colour.kind == Colour::Kind::Explicit) return colour.value & 0xFFFFFF;
  return GetSysColor(static_cast<int>(colour.value));
}

DesktopColours desktopColours() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  const bool on = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                  (contrast.dwFlags & HCF_HIGHCONTRASTON);
  return on ? DesktopColours::HighContrast : DesktopColours::Designed;
}

HFONT FontCache::get(const FontDesign& wanted, int dpi) {
  auto key = std::make_tuple(wanted.family, wanted.points, wanted.bold, wanted.underline, dpi);
  auto& font = fonts_[key];
  if (!font) {
    const int height = -static_cast<int>(std::lround(wanted.points * dpi / 72));
    font.reset(CreateFontW(height, 0, 0, 0, wanted.bold ? FW_BOLD : FW_NORMAL, FALSE, wanted.underline, FALSE,
                           SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, installedFamily(wanted.family, families_).c_str()));
  }
  return font.get();
}

BufferedPaint::BufferedPaint(HDC target, int width, int height)
    : target_(target), width_(width), height_(height), memory_(CreateCompatibleDC(target)),
      bitmap_(CreateCompatibleBitmap(target, width, height)), oldBitmap_(SelectObject(memory_.get(), bitmap_.get())) {}

BufferedPaint::~BufferedPaint() {
  BitBlt(target_, 0, 0, width_, height_, memory_.get(), 0, 0, SRCCOPY);
  SelectObject(memory_.get(), oldBitmap_);
}

void fillRect(HDC dc, const RECT& rect, COLORREF colour) {
  UniqueBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.get());
}

void frameRect(HDC dc, const RECT& rect, COLORREF colour) {
  UniqueBrush brush(CreateSolidBrush(colour));
  FrameRect(dc, &rect, brush.get());
}

}  // namespace kerumo::win32
