#include "platform/win32/win32_form.h"

#include <commctrl.h>
#include <ole2.h>
#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <functional>
#include <iterator>
#include <utility>

#include "platform/form_layout.h"
#include "platform/tray_callback.h"
#include "platform/win32/win32_text.h"

namespace kerumo::win32 {
namespace {

// Child ids start above the dialog commands Enter and Escape send (IDOK,
// IDCANCEL), so those never pass for a control's click.
constexpr int FirstChildId = 100;
constexpr int BaseDpi = 96;

struct WindowStyle {
  DWORD style = 0;
  DWORD exStyle = 0;
};

WindowStyle windowStyle(const FormDesign& design) {
  WindowStyle s{WS_POPUP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
  switch (design.frame) {
    case FrameStyle::FixedSingleNoCaption: s.style |= WS_BORDER; break;
    // A caption without a system menu has no close, minimise or maximise
    // button; the tool-window style makes the title bar small.
    case FrameStyle::FixedToolWindow: s.style |= WS_CAPTION; s.exStyle |= WS_EX_TOOLWINDOW; break;
    case FrameStyle::SizableNoCaption: s.style |= WS_THICKFRAME; break;
  }
  s.exStyle |= design.showInTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
  return s;
}

std::wstring className(const FormDesign& design) { return L"Kerumo" + widen(design.name); }

// Outer size for a client area, with the frame the window system draws at `dpi`.
SIZE outerSize(const FormDesign& design, int dpi) {
  const WindowStyle s = windowStyle(design);
  RECT r{0, 0, toPixels(design.clientWidth, dpi), toPixels(design.clientHeight, dpi)};
  using AdjustForDpi = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
  auto* adjust = reinterpret_cast<AdjustForDpi*>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  if (!adjust || !adjust(&r, s.style, FALSE, s.exStyle, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&r, s.style, FALSE, s.exStyle);
  }
  return {r.right - r.left, r.bottom - r.top};
}

int shiftBits(WPARAM keys) {
  int shift = 0;
  if (keys & MK_SHIFT) shift |= 1;
  if (keys & MK_CONTROL) shift |= 2;
  if (GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

int buttonBits(WPARAM keys) {
  int buttons = 0;
  if (keys & MK_LBUTTON) buttons |= MouseButton::Left;
  if (keys & MK_RBUTTON) buttons |= MouseButton::Right;
  if (keys & MK_MBUTTON) buttons |= MouseButton::Middle;
  return buttons;
}

BOOL CALLBACK collectEnabled(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<std::vector<HWND>*>(param);
  if (IsWindowEnabled(window)) found->push_back(window);
  return TRUE;
}

// A field named by the label in front of it.
class FieldSource : public AccessibleSource {
 public:
  FieldSource(HWND field, std::wstring name) : field_(field), name_(std::move(name)) {}
  HWND window() const override { return field_; }
  AccessibleItem item(long) const override {
    AccessibleItem item{name_, textOf(field_), ROLE_SYSTEM_TEXT, STATE_SYSTEM_FOCUSABLE, {}, {}};
    if (GetFocus() == field_) item.state |= STATE_SYSTEM_FOCUSED;
    if (!IsWindowEnabled(field_)) item.state |= STATE_SYSTEM_UNAVAILABLE;
    if (!IsWindowVisible(field_)) item.state |= STATE_SYSTEM_INVISIBLE;
    GetWindowRect(field_, &item.screen);
    return item;
  }

 private:
  static std::wstring textOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
  }
  HWND field_;
  std::wstring name_;
};

// A link as a screen reader hears it, asked of the form that draws it.
class LinkSource : public AccessibleSource {
 public:
  LinkSource(HWND proxy, std::function<AccessibleItem()> item, std::function<void()> open)
      : proxy_(proxy), item_(std::move(item)), open_(std::move(open)) {}
  HWND window() const override { return proxy_; }
  AccessibleItem item(long) const override { return item_(); }
  void doDefaultAction(long) override { open_(); }

 private:
  HWND proxy_;
  std::function<AccessibleItem()> item_;
  std::function<void()> open_;
};

constexpr const wchar_t* LinkProxyClass = L"KerumoLink";

// Holds a link's focus: Tab stops here, Enter or Space opens the link as
// a click on it does (a WM_COMMAND to the form, like a button's).
LRESULT CALLBACK linkProxyProcedure(HWND proxy, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE: {
      const auto* key = reinterpret_cast<const MSG*>(lParam);
      return key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN ? DLGC_WANTMESSAGE : 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_SPACE) {
        SendMessageW(GetParent(proxy), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(proxy), BN_CLICKED),
                     reinterpret_cast<LPARAM>(proxy));
        return 0;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(GetParent(proxy), nullptr, FALSE); return 0;
    default: break;
  }
  return DefWindowProcW(proxy, message, wParam, lParam);
}

}  // namespace

Win32Form::Win32Form(const FormDesign& design, FormEvents& events, const ScreenScale& scale)
    : design_(design), events_(events), scale_(scale), dpi_(systemDpi()),
      centrePending_(design.startPosition == StartPosition::CenterScreen) {
  createWindow();
  dpi_ = dpiOf(window_.get());
  background_ = decodePicture(design_.background);
  createControls();
  followDesktopColours();
  createToolTips();
  layOut();
  applyIcons();
  if (design_.menu) menu_.emplace(*design_.menu);
  std::ranges::transform(design_.figures, std::back_inserter(figureReadings_), &FigureDesign::reading);
  if (!design_.figures.empty()) accessible_.emplace(figuresSource_);
}

Win32Form::~Win32Form() {
  for (const auto& [name, id] : timerIds_) KillTimer(window_.get(), id);
  for (HWND window : disabledByModal_) EnableWindow(window, TRUE);
  // No event may reach the form while it goes; its child windows go
  // while everything they ask of it is still there.
  SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
  accessible_.reset();
  window_.reset();
}

void Win32Form::createWindow() {
  const std::wstring name = className(design_);
  {
    // Registered by the first form of its kind; later calls fail harmlessly.
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = windowProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name.c_str();
    RegisterClassExW(&wc);
  }
  const WindowStyle s = windowStyle(design_);
  const SIZE outer = outerSize(design_, dpi_);
  CreateWindowExW(s.exStyle, name.c_str(), widen(design_.caption).c_str(), s.style, 0, 0, outer.cx, outer.cy,
                  nullptr, nullptr, GetModuleHandleW(nullptr), this);
  // Created on the primary screen; the window's own DPI may differ.
  const int dpi = dpiOf(window_.get());
  if (dpi != dpi_) {
    const SIZE scaled = outerSize(design_, dpi);
    SetWindowPos(window_.get(), nullptr, 0, 0, scaled.cx, scaled.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Win32Form::createControls() {
  int id = FirstChildId;
  UINT_PTR timerId = 1;
  for (const ControlDesign& c : design_.controls) {
    switch (c.kind) {
      case ControlKind::Timer:
        timerIds_[c.name] = timerId++;
        timerIntervals_[c.name] = c.timerIntervalMs;
        break;
      case ControlKind::CheckBox:
      case ControlKind::TextBox:
      case ControlKind::Button: {
        HWND control = createChildControl(window_.get(), c, id, dpi_, fonts_.get(c.font, dpi_));
        children_[c.name] = control;
        const std::string& name = childNames_[id] = c.name;
        if (c.kind == ControlKind::TextBox) routeTypedCharacters(control, events_, name);
        ++id;
        break;
      }
      default:
        drawn_.push_back(makeDrawnControl(c, dpi_));
        if (c.link) createLinkProxy(c, id++);
        break;
    }
  }
  for (const ControlDesign& c : design_.controls) {
    const ControlDesign* label = c.labelledBy.empty() ? nullptr : design_.control(c.labelledBy);
    if (label && child(c.name)) answerAccessibility(child(c.name), new FieldSource(child(c.name), widen(label->caption)));
  }
  // Tab goes through the child windows in z-order: stack them in tab order.
  HWND previous = HWND_TOP;
  for (const std::string& name : tabOrder(design_)) {
    HWND control = child(name);
    if (!control && linkProxies_.contains(name)) control = linkProxies_[name];
    if (!control) continue;
    SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control;
  }
}

// The tool-tip window has no owner: tool tips make themselves topmost, and
// a topmost owned window keeps some window systems from making its owner
// topmost. It is destroyed with the form.
void Win32Form::createToolTips() {
  bool any = false;
  for (const DrawnControl& c : drawn_) any = any || !c.design.toolTip.empty();
  if (!any) return;
  toolTips_.reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
  for (size_t i = 0; i < drawn_.size(); ++i) {
    if (drawn_[i].design.toolTip.empty()) continue;
    std::wstring tip = widen(drawn_[i].design.toolTip);
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = window_.get();
    info.uId = i;
    info.lpszText = tip.data();  // copied by the tool-tip window
    SendMessageW(toolTips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void Win32Form::layOut() {
  {
    WindowDc dc(window_.get());
    for (DrawnControl& c : drawn_) placeDrawn(c, dc.get(), fontOf(c), dpi_);
  }
  for (const ControlDesign& c : design_.controls)
    if (HWND control = child(c.name)) placeChild(control, c, dpi_, fonts_.get(c.font, dpi_));
  placeToolTips();
  InvalidateRect(window_.get(), nullptr, FALSE);
}

// A tool's rectangle follows its label; a hidden label has none, so no tip
// comes up over the empty place.
void Win32Form::placeToolTips() {
  if (!toolTips_) return;
  for (size_t i = 0; i < drawn_.size(); ++i) {
    if (drawn_[i].design.toolTip.empty()) continue;
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = window_.get();
    info.uId = i;
    if (drawn_[i].visible) info.rect = drawn_[i].box;
    SendMessageW(toolTips_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void Win32Form::applyIcons() {
  if (design_.icon == Picture::None) return;
  const int big = MulDiv(32, dpi_, BaseDpi);
  const int small = MulDiv(16, dpi_, BaseDpi);
  bigIcon_ = loadIcon(design_.icon, big, big);
  smallIcon_ = loadIcon(design_.icon, small, small);
  SendMessageW(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  SendMessageW(window_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

LRESULT CALLBACK Win32Form::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Win32Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->window_.reset(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return form ? form->handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32Form::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_.get();
  if (message == directObjectMessage() && accessible_) return accessible_->direct();
  switch (message) {
    case WM_ERASEBKGND: return 1;  // the paint covers everything
    case WM_PAINT: paint(); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: onMouseButton(message, wParam, lParam); return 0;
    case WM_LBUTTONUP: {
      const DrawnControl* over = hit({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      const std::string pressed = std::exchange(pressedControl_, {});
      if (over && over->design.name == pressed) events_.onClick(pressed);
      return 0;
    }
    case WM_LBUTTONDBLCLK: {
      const DrawnControl* over = hit({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      events_.onDoubleClick(over ? over->design.name : std::string());
      return 0;
    }
    case WM_MOUSEMOVE: onMouseMove(wParam, lParam); return 0;
    case WM_COMMAND: onCommand(wParam); return 0;
    case WM_CTLCOLORSTATIC:
      // Check boxes on the form's own colour.
      SetBkColor(reinterpret_cast<HDC>(wParam), toColorRef(shownBackColour(design_, desktop_)));
      return reinterpret_cast<LRESULT>(backBrush_.get());
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      followDesktopColours();
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_TIMER:
      for (const auto& [name, id] : timerIds_) {
        if (id == wParam) {
          events_.onTimer(name);
          break;
        }
      }
      return 0;
    case WM_GETOBJECT:
      if (accessible_) return accessible_->answer(wParam, lParam);
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_CLOSE: events_.onUnload(); return 0;  // the form decides what a close means
    case WM_GETDPISCALEDSIZE:
      *reinterpret_cast<SIZE*>(lParam) = outerSize(design_, static_cast<int>(wParam));
      return TRUE;
    case WM_DPICHANGED: onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

void Win32Form::paint() {
  PAINTSTRUCT ps{};
  HDC target = BeginPaint(window_.get(), &ps);
  RECT client{};
  GetClientRect(window_.get(), &client);
  {
    BufferedPaint buffer(target, client.right, client.bottom);
    fillRect(buffer.dc(), client, toColorRef(shownBackColour(design_, desktop_)));
    if (background_ && drawsPicture(design_, desktop_)) {
      drawBitmap(buffer.dc(), background_,
                 {0, 0, MulDiv(background_.width, dpi_, BaseDpi), MulDiv(background_.height, dpi_, BaseDpi)});
    }
    for (auto it = drawn_.rbegin(); it != drawn_.rend(); ++it) paintDrawn(buffer.dc(), *it, fontOf(*it));
    paintFocus(buffer.dc());
  }
  EndPaint(window_.get(), &ps);
}

void Win32Form::onMouseButton(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const DrawnControl* over = hit(at);
  const std::string name = over ? over->design.name : std::string();
  const int button = message == WM_LBUTTONDOWN   ? MouseButton::Left
                     : message == WM_RBUTTONDOWN ? MouseButton::Right
                                                 : MouseButton::Middle;
  pressedControl_ = button == MouseButton::Left ? name : std::string();
  events_.onMouseDown(name, button, shiftBits(wParam), toTwipsX(at.x), toTwipsX(at.y));
}

// The tray icon's callback comes as a mouse move whose X is the icon's
// mouse message; it belongs to the form's surface whatever lies at that
// point. A move is the pointer's own when it happened where the pointer was.
void Win32Form::onMouseMove(WPARAM wParam, LPARAM lParam) {
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  POINT onScreen = at;
  ClientToScreen(window_.get(), &onScreen);
  const DWORD position = GetMessagePos();
  if (onScreen.x == GET_X_LPARAM(position) && onScreen.y == GET_Y_LPARAM(position)) {
    const DrawnControl* over = hit(at);
    events_.onMouseMove(over ? over->design.name : std::string(), buttonBits(wParam), shiftBits(wParam),
                        toTwipsX(at.x), toTwipsX(at.y), MoveOrigin::Pointer);
  } else {
    const double tpp = scale_.twipsPerPixel;
    events_.onMouseMove({}, 0, 0, postedMoveTwips(at.x, tpp), postedMoveTwips(at.y, tpp), MoveOrigin::Posted);
  }
}

void Win32Form::onCommand(WPARAM wParam) {
  const int id = LOWORD(wParam);
  if (id == IDCANCEL) {
    // Escape in a dialog asks it to close, like the window system's close.
    if (modal_) events_.onUnload();
    return;
  }
  const auto it = childNames_.find(id);
  if (it != childNames_.end() && HIWORD(wParam) == BN_CLICKED) events_.onClick(it->second);
}

// The window takes the rectangle Windows suggests, as Windows asks: it keeps
// the window under the pointer while it is dragged across screens. Its size
// is ours, answered to WM_GETDPISCALEDSIZE just before, so the client area
// is the design's at the new DPI; a frame does not scale linearly.
void Win32Form::onDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  SetWindowPos(window_.get(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  layOut();
  applyIcons();
}

void Win32Form::expectInDesign([[maybe_unused]] const std::string& name) const {
  assert(design_.control(name) && "the form's design has no control of this name");
}

DrawnControl* Win32Form::drawn(const std::string& name) {
  for (DrawnControl& c : drawn_)
    if (c.design.name == name) return &c;
  return nullptr;
}

const DrawnControl* Win32Form::drawn(const std::string& name) const {
  return const_cast<Win32Form*>(this)->drawn(name);
}

HWND Win32Form::child(const std::string& name) const {
  const auto it = children_.find(name);
  return it == children_.end() ? nullptr : it->second;
}

const DrawnControl* Win32Form::hit(POINT client) const {
  for (const DrawnControl& c : drawn_)
    if (c.takesMouse() && PtInRect(&c.box, client)) return &c;
  return nullptr;
}

HFONT Win32Form::fontOf(const DrawnControl& control) { return fonts_.get(control.design.font, dpi_); }

// The whole surface: a label that got narrower or a control that hid
// leaves its old pixels to repaint too.
void Win32Form::redraw() { InvalidateRect(window_.get(), nullptr, FALSE); }

void Win32Form::moveTo(int x, int y) {
  SetWindowPos(window_.get(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::setLeft(double twips) {
  RECT r{};
  GetWindowRect(window_.get(), &r);
  moveTo(static_cast<int>(std::lround(twips / scale_.twipsPerPixel)), r.top);
}

void Win32Form::setTop(double twips) {
  RECT r{};
  GetWindowRect(window_.get(), &r);
  moveTo(r.left, static_cast<int>(std::lround(twips / scale_.twipsPerPixel)));
}

double Win32Form::left() const {
  RECT r{};
  GetWindowRect(window_.get(), &r);
  return toTwipsX(r.left);
}

double Win32Form::top() const {
  RECT r{};
  GetWindowRect(window_.get(), &r);
  return toTwipsX(r.top);
}

double Win32Form::width() const {
  RECT r{};
  GetWindowRect(window_.get(), &r);
  return toTwipsX(r.right - r.left);
}

double Win32Form::height() const {
  RECT r{};
  GetWindowRect(window_.get(), &r);
  return toTwipsX(r.bottom - r.top);
}

void Win32Form::placeCentred() {
  centrePending_ = false;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT r{};
  GetWindowRect(window_.get(), &r);
  const PixelPoint origin = centredOrigin(toPixelBox(monitor.rcWork), r.right - r.left, r.bottom - r.top);
  moveTo(origin.x, origin.y);
}

void Win32Form::setVisible(bool visible) {
  if (!visible) {
    ShowWindow(window_.get(), SW_HIDE);
    return;
  }
  if (centrePending_) placeCentred();
  ShowWindow(window_.get(), SW_SHOW);
  if (!pendingFocus_.empty()) SetFocus(child(std::exchange(pendingFocus_, {})));
}

bool Win32Form::isVisible() const { return IsWindowVisible(window_.get()) != FALSE; }

int32_t Win32Form::setWindowPos(InsertAfter insertAfter, uint32_t flags) {
  HWND after = reinterpret_cast<HWND>(static_cast<intptr_t>(insertAfter));
  return SetWindowPos(window_.get(), after, 0, 0, 0, 0, flags) ? 1 : 0;
}

void Win32Form::setForeground() { SetForegroundWindow(window_.get()); }

void Win32Form::beginSystemMove() {
  ReleaseCapture();
  pressedControl_.clear();
  SendMessageW(window_.get(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void Win32Form::setCaption(const std::string& control, const std::string& text) {
  expectInDesign(control);
  if (HWND c = child(control)) {
    SetWindowTextW(c, widen(text).c_str());
  } else if (DrawnControl* d = drawn(control)) {
    d->text = widen(text);
    WindowDc dc(window_.get());
    fitLabel(*d, dc.get(), fontOf(*d), dpi_);
    if (!d->design.toolTip.empty()) placeToolTips();
    redraw();
  }
}

std::string Win32Form::text(const std::string& control) const {
  expectInDesign(control);
  if (HWND c = child(control)) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(c)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(c, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
  }
  const DrawnControl* d = drawn(control);
  return d ? narrow(d->text) : std::string();
}

void Win32Form::setWidth(const std::string& control, double twips) {
  expectInDesign(control);
  DrawnControl* d = drawn(control);
  if (!d) return;
  d->design.rect.width = std::max(0.0, twips);
  d->box.right = d->box.left + toPixels(d->design.rect.width, dpi_);
  redraw();
}

void Win32Form::setControlVisible(const std::string& control, bool visible) {
  expectInDesign(control);
  if (HWND c = child(control)) {
    ShowWindow(c, visible ? SW_SHOWNA : SW_HIDE);
  } else if (DrawnControl* d = drawn(control)) {
    d->visible = visible;
    if (!d->design.toolTip.empty()) {
      placeToolTips();
      if (!visible) SendMessageW(toolTips_.get(), TTM_POP, 0, 0);  // one that is up goes too
    }
    redraw();
  }
}

void Win32Form::setEnabled(const std::string& control, bool enabled) {
  expectInDesign(control);
  if (HWND c = child(control)) EnableWindow(c, enabled);
}

void Win32Form::setForeColour(const std::string& control, Colour colour) {
  expectInDesign(control);
  if (DrawnControl* d = drawn(control)) {
    d->foreColour = colour;
    d->fore = shownFore(*d);
    redraw();
  }
}

void Win32Form::setUnderline(const std::string& control, bool underline) {
  expectInDesign(control);
  if (DrawnControl* d = drawn(control)) {
    d->design.font.underline = underline;
    redraw();
  }
}

void Win32Form::setChecked(const std::string& control, bool checked) {
  expectInDesign(control);
  if (HWND c = child(control)) SendMessageW(c, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32Form::isChecked(const std::string& control) const {
  expectInDesign(control);
  HWND c = child(control);
  return c && SendMessageW(c, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Form::setFocus(const std::string& control) {
  expectInDesign(control);
  HWND c = child(control);
  if (!c) return;
  // A hidden window takes no focus; hand it over once the form shows.
  if (isVisible()) {
    SetFocus(c);
  } else {
    pendingFocus_ = control;
  }
}

void Win32Form::setFigure(const std::string& figure, const FigureReading& reading) {
  for (size_t i = 0; i < design_.figures.size(); ++i) {
    if (design_.figures[i].name != figure) continue;
    figureReadings_[i] = reading;
    notifyChanged(window_.get(), static_cast<long>(i) + 1);
  }
}

void Win32Form::followDesktopColours() {
  desktop_ = desktopColours();
  backBrush_.reset(CreateSolidBrush(toColorRef(shownBackColour(design_, desktop_))));
  for (DrawnControl& c : drawn_) {
    c.fore = shownFore(c);
    c.border = toColorRef(shownColour(design_, c.design, c.design.borderColour, desktop_));
  }
  redraw();
}

// Links keep the design's black and blue only where the dialog looks as
// designed; other text takes its colour as the desktop shows it.
COLORREF Win32Form::shownFore(const DrawnControl& control) const {
  if (control.design.link) return toColorRef(shownLinkColour(control.foreColour, desktop_));
  return toColorRef(shownColour(design_, control.design, control.foreColour, desktop_));
}

RECT Win32Form::toScreen(RECT client) const {
  MapWindowPoints(window_.get(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

// The client area is the meter, named even though its caption is empty;
// each figure stands where its labels are and is hidden with them.
AccessibleItem Win32Form::FiguresSource::item(long child) const {
  const FormDesign& design = form_.design_;
  if (child == CHILDID_SELF) {
    AccessibleItem self{widen(design.accessibleName.empty() ? design.caption : design.accessibleName), {},
                        ROLE_SYSTEM_CLIENT, form_.isVisible() ? 0 : STATE_SYSTEM_INVISIBLE, {}, {}};
    RECT client{};
    GetClientRect(form_.handle(), &client);
    self.screen = form_.toScreen(client);
    return self;
  }
  const auto index = static_cast<size_t>(child - 1);
  const FigureReading& reading = form_.figureReadings_[index];
  AccessibleItem item{widen(reading.name), widen(reading.value), ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY, {}, {}};
  RECT area{};
  for (const std::string& name : design.figures[index].controls) {
    const DrawnControl* label = form_.drawn(name);
    if (label && label->visible) UnionRect(&area, &area, &label->box);
  }
  if (IsRectEmpty(&area) || !form_.isVisible()) item.state |= STATE_SYSTEM_INVISIBLE;
  item.screen = form_.toScreen(area);
  return item;
}

void Win32Form::createLinkProxy(const ControlDesign& design, int id) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = linkProxyProcedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = LinkProxyClass;
  RegisterClassExW(&wc);  // by the first link; later calls fail harmlessly
  HWND proxy = CreateWindowExW(0, LinkProxyClass, widen(design.caption).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                               0, 0, 0, 0, window_.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
  linkProxies_[design.name] = proxy;
  childNames_[id] = design.name;
  answerAccessibility(proxy, new LinkSource(
                                 proxy, [this, name = design.name, proxy] { return linkItem(name, proxy); },
                                 [this, name = design.name] { events_.onClick(name); }));
}

// A link reads as its address, which is also its value.
AccessibleItem Win32Form::linkItem(const std::string& name, HWND proxy) const {
  const DrawnControl* label = drawn(name);
  AccessibleItem item{label->text, label->text, ROLE_SYSTEM_LINK, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED, {}, {}};
  if (GetFocus() == proxy) item.state |= STATE_SYSTEM_FOCUSED;
  if (!label->visible) item.state |= STATE_SYSTEM_INVISIBLE;
  item.screen = toScreen(label->box);
  item.defaultAction = L"ジャンプ";
  return item;
}

// The focused link shows the system's dotted focus frame.
void Win32Form::paintFocus(HDC dc) {
  for (const auto& [name, proxy] : linkProxies_) {
    const DrawnControl* label = drawn(name);
    if (GetFocus() != proxy || !label || !label->visible) continue;
    RECT frame = label->box;
    InflateRect(&frame, 1, 1);
    DrawFocusRect(dc, &frame);
  }
}

void Win32Form::setTimerEnabled(const std::string& timer, bool enabled) {
  expectInDesign(timer);
  const auto it = timerIds_.find(timer);
  if (it == timerIds_.end()) return;
  if (enabled) {
    SetTimer(window_.get(), it->second, static_cast<UINT>(timerIntervals_[timer]), nullptr);
  } else {
    KillTimer(window_.get(), it->second);
  }
}

// The menu is only ever popped up: these windows never show a menu bar.
void Win32Form::setMenuVisible(bool) {}

void Win32Form::setMenuItemChecked(const std::string& item, bool checked) {
  assert(design_.menuItem(item) && "the form's menu has no item of this name");
  if (menu_) menu_->setChecked(item, checked);
}

void Win32Form::popupMenu() {
  if (!menu_) return;
  if (const auto chosen = menu_->track(window_.get())) events_.onMenuCommand(*chosen);
}

void Win32Form::showModal() {
  // Like a modal dialog: the program's other windows take no input meanwhile.
  disabledByModal_.clear();
  EnumThreadWindows(GetCurrentThreadId(), collectEnabled, reinterpret_cast<LPARAM>(&disabledByModal_));
  std::erase(disabledByModal_, window_.get());
  for (HWND window : disabledByModal_) EnableWindow(window, FALSE);
  modal_ = true;
  closed_ = false;
  setVisible(true);
  SetForegroundWindow(window_.get());
  MSG message{};
  while (!closed_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // The program is ending: the main loop must see that too.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got < 0) break;
    if (!IsDialogMessageW(window_.get(), &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  for (HWND window : std::exchange(disabledByModal_, {})) EnableWindow(window, TRUE);
  modal_ = false;
}

void Win32Form::close() {
  closed_ = true;
  // Give input back before hiding, or the system activates another program.
  for (HWND window : std::exchange(disabledByModal_, {})) EnableWindow(window, TRUE);
  ShowWindow(window_.get(), SW_HIDE);
}

}  // namespace kerumo::win32
