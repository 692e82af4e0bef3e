// The Win32 backend with real windows: geometry and frames of the three
// forms, how the window system's messages reach a form, and a picture of
// each window.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "dialogs/form2_design.h"
#include "dialogs/form3_design.h"
#include "platform/win32/win32_platform.h"
#include "shell/form1_design.h"
#include "win32_test_support.h"
#include "tests/no_form_events.h"

#include <commctrl.h>  // after the Windows headers
#include <ole2.h>
#include <oleacc.h>
#include <wrl/client.h>

#include "dialogs/author.h"
#include "platform/win32/win32_accessible.h"
#include "platform/win32/win32_graphics.h"
#include "platform/win32/win32_text.h"

namespace kerumo {
namespace {

using Microsoft::WRL::ComPtr;
using testing::clientSize;
using testing::pumpMessages;

struct Heard {
  std::string what;
  std::string control;
  int button = 0;
  bool operator==(const Heard&) const = default;
};

class RecordingEvents : public testing::NoFormEvents {
 public:
  std::vector<Heard> heard;
  void onMouseDown(const std::string& c, int button, int, double, double) override {
    heard.push_back({"down", c, button});
  }
  void onMouseMove(const std::string& c, int button, int, double, double, MoveOrigin) override {
    heard.push_back({"move", c, button});
  }
  void onDoubleClick(const std::string& c) override { heard.push_back({"double", c}); }
  void onClick(const std::string& c) override { heard.push_back({"click", c}); }
  void onTimer(const std::string& c) override { heard.push_back({"timer", c}); }

  auto count(const std::string& what) const {
    return std::ranges::count_if(heard, [&](const Heard& h) { return h.what == what; });
  }
};

HWND handleOf(FormWindow& form) { return dynamic_cast<win32::Win32Form&>(form).handle(); }
LONG_PTR style(HWND w) { return GetWindowLongPtrW(w, GWL_STYLE); }
LONG_PTR exStyle(HWND w) { return GetWindowLongPtrW(w, GWL_EXSTYLE); }

class Win32FormsTest : public ::testing::Test {
 protected:
  // The pointer starts in the middle of the screen, inside every centred
  // window; a window shown under it hears it move, late on a busy machine.
  void SetUp() override { testing::parkThePointer(); }

  // A form of `design`, shown, and its window.
  std::pair<std::unique_ptr<FormWindow>, HWND> shown(FormDesign design, int settle = 100) {
    auto form = platform.createForm(design, events);
    HWND window = handleOf(*form);
    form->setVisible(true);
    pumpMessages(settle);
    return {std::move(form), window};
  }

  win32::Win32Platform platform;
  RecordingEvents events;
};

TEST_F(Win32FormsTest, ClientAreaFrameAndPictureOfEachForm) {
  const struct {
    const char* picture;
    FormDesign (*design)();
    SIZE client;
    bool caption, thickFrame, inTaskbar;
  } forms[] = {{"win32-meter-window.png", form1Design, {242, 58}, false, false, false},
               {"win32-warning-settings.png", form3Design, {235, 305}, true, false, false},
               {"win32-about.png", form2Design, {222, 174}, false, true, true}};
  for (const auto& c : forms) {
    SCOPED_TRACE(c.picture);
    const auto [form, w] = shown(c.design(), 300);
    const SIZE client = clientSize(w);
    EXPECT_EQ(client.cx, c.client.cx);
    EXPECT_EQ(client.cy, c.client.cy);
    EXPECT_EQ((style(w) & WS_CAPTION) == WS_CAPTION, c.caption);
    EXPECT_FALSE(style(w) & WS_SYSMENU) << "no close, minimise or maximise button";
    EXPECT_EQ((style(w) & WS_THICKFRAME) != 0, c.thickFrame);
    EXPECT_EQ((exStyle(w) & WS_EX_APPWINDOW) != 0, c.inTaskbar);
    EXPECT_EQ((exStyle(w) & WS_EX_TOOLWINDOW) != 0, !c.inTaskbar);
    EXPECT_TRUE(testing::saveWindowPicture(w, testing::picturesDir() / c.picture));
  }
}

// Dragged onto a screen of 144 DPI: the meter takes the rectangle Windows
// suggests, where and as large as Windows puts it. Asked first, it wants the
// outer size that holds its client area at that scale, which a linear
// scaling of the frame misses.
TEST_F(Win32FormsTest, OnAScreenOfAnotherDpiTheMeterTakesTheSuggestedRectangle) {
  const auto [form, w] = shown(form1Design());
  SIZE wanted{366, 90};  // what linear scaling of 244 x 60 proposes
  const RECT linear{2600, -150, 2600 + wanted.cx, -150 + wanted.cy};
  ASSERT_TRUE(SendMessageW(w, WM_GETDPISCALEDSIZE, 144, reinterpret_cast<LPARAM>(&wanted)));
  const RECT answered{-400, 50, -400 + wanted.cx, 50 + wanted.cy};
  for (const RECT* suggested : {&linear, &answered}) {
    PostMessageW(w, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(suggested));
    pumpMessages(300);
    RECT taken{};
    GetWindowRect(w, &taken);
    EXPECT_TRUE(EqualRect(&taken, suggested)) << taken.left << "," << taken.top << " " << taken.right - taken.left
                                              << "x" << taken.bottom - taken.top;
  }
  const SIZE client = clientSize(w);
  EXPECT_EQ(client.cx, 363);
  EXPECT_EQ(client.cy, 87);
}

TEST_F(Win32FormsTest, APressOnALabelIsTheLabelsAndEachClickThereClicksItOnce) {
  const auto [form, w] = shown(form2Design());
  events.heard.clear();
  PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 100));  // on the web link
  PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(12, 100));
  // The second press of a double click: a double click, and no second click.
  PostMessageW(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(12, 100));
  PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(12, 100));
  PostMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));  // on the bare surface
  testing::pumpMessagesUntil([&] { return events.heard.size() >= 4; }, 5000);
  pumpMessages(100);
  EXPECT_EQ(events.heard, (std::vector<Heard>{{"down", "Label1", MouseButton::Left}, {"click", "Label1"},
                                              {"double", "Label1"}, {"down", "", MouseButton::Right}}));
}

// The tip the tool-tip window would show for a pointer resting at `client`.
std::wstring tipAt(HWND toolTips, HWND form, POINT client) {
  wchar_t text[80] = {};
  TTHITTESTINFOW hit{};
  hit.hwnd = form;
  hit.pt = client;
  hit.ti.cbSize = sizeof hit.ti;
  if (!SendMessageW(toolTips, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit))) return {};
  hit.ti.lpszText = text;
  SendMessageW(toolTips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&hit.ti));
  return text;
}

// The timer is created stopped and ticks while enabled only, captions keep
// every character, the window order toggles topmost and shows, the width is
// in twips and the tray icon comes and goes. Then real pointer input,
// through the window system's own double-click timing and tool tips.
TEST_F(Win32FormsTest, TheMeterKeepsTimerCaptionsOrderAndIconAndHearsTheRealPointer) {
  auto form = platform.createForm(form1Design(), events);
  HWND w = handleOf(*form);
  EXPECT_FALSE(KillTimer(w, 1));  // there was none to kill
  form->setTimerEnabled("Timer1", true);
  pumpMessages(1200);
  EXPECT_GE(events.count("timer"), 2);
  form->setTimerEnabled("Timer1", false);
  pumpMessages(50);
  events.heard.clear();
  pumpMessages(700);
  EXPECT_EQ(events.count("timer"), 0);
  form->setCaption("Label2", "１２３％ケルモ");
  EXPECT_EQ(form->text("Label2"), "１２３％ケルモ");
  auto dialog = platform.createForm(form3Design(), events);
  dialog->setCaption("Text1", "９８．５");
  EXPECT_EQ(dialog->text("Text1"), "９８．５");
  dialog.reset();  // its tool tips would be a second window of their class
  constexpr uint32_t flags = WindowPosFlag::NoSize | WindowPosFlag::NoMove | WindowPosFlag::ShowWindow;
  EXPECT_EQ(form->setWindowPos(InsertAfter::Topmost, flags), 1);
  EXPECT_TRUE(exStyle(w) & WS_EX_TOPMOST);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->setWindowPos(InsertAfter::NoTopmost, flags), 1);
  EXPECT_FALSE(exStyle(w) & WS_EX_TOPMOST);
  RECT r{};
  GetWindowRect(w, &r);
  EXPECT_NEAR(form->width(), (r.right - r.left) * platform.twipsPerPixelX(), 1e-9);
  const TrayIconRecord record{form.get(), 1, 7, 0x200, Picture::Icon, "ケルモ"};
  ASSERT_TRUE(platform.notifyIcon(NotifyOperation::Add, record));
  EXPECT_TRUE(platform.notifyIcon(NotifyOperation::Delete, record));

  pumpMessages(200);
  for (const auto& [client, control] : {std::pair{POINT{200, 10}, "Image5"}, std::pair{POINT{120, 30}, ""}}) {
    events.heard.clear();
    POINT screen = client;
    ClientToScreen(w, &screen);
    SetCursorPos(screen.x, screen.y);
    pumpMessages(100);
    INPUT clicks[4] = {};
    for (int i = 0; i < 4; ++i) {
      clicks[i].type = INPUT_MOUSE;
      clicks[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    SendInput(4, clicks, sizeof(INPUT));
    pumpMessages(300);
    EXPECT_EQ(events.count("double"), 1) << control;
    for (const Heard& h : events.heard) EXPECT_TRUE(h.what != "double" || h.control == control) << control;
  }
  HWND toolTips = nullptr;
  for (HWND window : testing::windowsUnder(nullptr, TOOLTIPS_CLASSW)) {
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) toolTips = window;
  }
  ASSERT_NE(toolTips, nullptr);
  const POINT onLabel1{10, 12};  // "TEM", the temperature legend
  POINT screen = onLabel1;
  ClientToScreen(w, &screen);
  EXPECT_EQ(tipAt(toolTips, w, onLabel1), L"CPU温度");
  for (const bool shown : {false, true}) {
    form->setControlVisible("Label1", shown);
    EXPECT_EQ(tipAt(toolTips, w, onLabel1), shown ? L"CPU温度" : L"");
    SetCursorPos(screen.x, screen.y + 1);
    pumpMessages(50);
    SetCursorPos(screen.x, screen.y);
    const bool tipCameUp = testing::pumpMessagesUntil([&] { return IsWindowVisible(toolTips) != FALSE; }, 3000);
    EXPECT_EQ(tipCameUp, shown) << "the temperature row shown: " << shown;
  }
  SetCursorPos(0, 0);
}

// One item as a screen reader reads it through IAccessible.
struct Read {
  std::wstring name, value;
  long role = 0, state = 0;
  RECT at{};
};

Read readOf(IAccessible* object, long child) {
  VARIANT id{};
  id.vt = VT_I4;
  id.lVal = child;
  Read read;
  const auto text = [&](auto get) {
    BSTR value = nullptr;
    std::wstring out;
    if ((object->*get)(id, &value) == S_OK && value) out = value;
    SysFreeString(value);
    return out;
  };
  read.name = text(&IAccessible::get_accName);
  read.value = text(&IAccessible::get_accValue);
  VARIANT v{};
  if (object->get_accRole(id, &v) == S_OK) read.role = v.lVal;
  if (object->get_accState(id, &v) == S_OK) read.state = v.lVal;
  long x = 0, y = 0, w = 0, h = 0;
  if (object->accLocation(&x, &y, &w, &h, id) == S_OK) read.at = {x, y, x + w, y + h};
  return read;
}

// The client object as oleacc hands it to a screen reader. Wine's oleacc
// cannot: LresultFromObject fails with E_NOINTERFACE, having no stub for
// IAccessible, so there the object is taken from the window directly.
ComPtr<IAccessible> clientObject(HWND window) {
  ComPtr<IAccessible> object;
  const HRESULT got = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible, &object);
  if (SUCCEEDED(got) && object) return object;
  object.Attach(reinterpret_cast<IAccessible*>(SendMessageW(window, win32::directObjectMessage(), 0, 0)));
  return object;
}

struct AskedFromAnotherThread {
  HWND window;
  DWORD_PTR answer = 1;
};

DWORD WINAPI askForTheObject(void* asked) {
  auto* a = static_cast<AskedFromAnotherThread*>(asked);
  SendMessageTimeoutW(a->window, win32::directObjectMessage(), 0, 0, SMTO_BLOCK, 5000, &a->answer);
  return 0;
}

// What a screen reader finds, asked from inside this process (wine's oleacc
// does not answer another one): the meter's four figures with their names,
// values and places; the warning settings' fields named by their headings;
// the about dialog's links, reached with Tab and opened with Enter.
TEST_F(Win32FormsTest, AScreenReaderFindsTheMetersFiguresTheNamedFieldsAndTheLinks) {
  const auto [meter, w] = shown(form1Design());
  meter->setFigure("CpuFigure", {"CPU使用率 42%", "42%", 42});
  const ComPtr<IAccessible> client = clientObject(w);
  ASSERT_NE(client.Get(), nullptr);
  // The object itself is handed only to the window's own thread.
  AskedFromAnotherThread asked{w};
  const win32::UniqueKernelHandle elsewhere(CreateThread(nullptr, 0, askForTheObject, &asked, 0, nullptr));
  ASSERT_TRUE(testing::pumpMessagesUntil([&] { return WaitForSingleObject(elsewhere.get(), 0) == WAIT_OBJECT_0; }, 6000));
  EXPECT_EQ(asked.answer, 0u) << "another thread was given the object";
  long count = 0;
  EXPECT_EQ(client->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 4);
  const Read meterRead = readOf(client.Get(), CHILDID_SELF);
  EXPECT_EQ(meterRead.name, L"ケルモ");
  EXPECT_EQ(meterRead.role, ROLE_SYSTEM_CLIENT);
  const std::pair<const wchar_t*, const wchar_t*> figures[] = {
      {L"CPU温度 100℃", L"100℃"}, {L"メモリ使用率 100%", L"100%"}, {L"システムリソース使用率 100%", L"100%"},
      {L"CPU使用率 42%", L"42%"}};
  for (long i = 1; i <= 4; ++i) {
    const Read read = readOf(client.Get(), i);
    EXPECT_EQ(read.name, figures[i - 1].first);
    EXPECT_EQ(read.value, figures[i - 1].second);
    EXPECT_EQ(read.role, ROLE_SYSTEM_STATICTEXT);
    EXPECT_FALSE(read.state & STATE_SYSTEM_INVISIBLE);
  }
  // The CPU item spans its legend at (168, 24) to its unit 56 pixels on.
  POINT legend{168, 24};
  ClientToScreen(w, &legend);
  const RECT cpu = readOf(client.Get(), 4).at;
  EXPECT_EQ(cpu.left, legend.x);
  EXPECT_EQ(cpu.top, legend.y);
  EXPECT_GT(cpu.right, legend.x + 56);
  VARIANT hit{};
  EXPECT_EQ(client->accHitTest((cpu.left + cpu.right) / 2, (cpu.top + cpu.bottom) / 2, &hit), S_OK);
  EXPECT_EQ(hit.lVal, 4);
  for (const char* label : {"Label1", "Label5", "Label20"}) meter->setControlVisible(label, false);
  EXPECT_TRUE(readOf(client.Get(), 1).state & STATE_SYSTEM_INVISIBLE);

  auto dialog = platform.createForm(form3Design(), events);
  const std::vector<HWND> fields = testing::windowsUnder(handleOf(*dialog), L"Edit");
  ASSERT_EQ(fields.size(), 2u);
  const wchar_t* headings[] = {L"物理メモリ残り", L"システムリソース残量"};
  for (size_t i = 0; i < 2; ++i) {
    const ComPtr<IAccessible> field = clientObject(fields[i]);
    ASSERT_NE(field.Get(), nullptr);
    const Read read = readOf(field.Get(), CHILDID_SELF);
    EXPECT_EQ(read.name, headings[i]);
    EXPECT_EQ(read.value, L"10");
    EXPECT_EQ(read.role, ROLE_SYSTEM_TEXT);
  }
  dialog.reset();

  auto [about, a] = shown(form2Design());
  const std::vector<HWND> links = testing::windowsUnder(a, L"KerumoLink");
  ASSERT_EQ(links.size(), 2u);
  const std::vector<HWND> buttons = testing::windowsUnder(a, L"Button");
  ASSERT_EQ(buttons.size(), 1u);
  // The design's tab order: the web link, "OK", the mail link.
  EXPECT_EQ(GetNextDlgTabItem(a, links[0], FALSE), buttons[0]);
  EXPECT_EQ(GetNextDlgTabItem(a, buttons[0], FALSE), links[1]);
  const ComPtr<IAccessible> web = clientObject(links[0]);
  ASSERT_NE(web.Get(), nullptr);
  const Read link = readOf(web.Get(), CHILDID_SELF);
  EXPECT_EQ(link.role, ROLE_SYSTEM_LINK);
  EXPECT_EQ(link.name, win32::widen(AuthorWebLink));
  EXPECT_EQ(link.value, win32::widen(AuthorWebLink));
  EXPECT_FALSE(IsRectEmpty(&link.at));
  events.heard.clear();
  SetFocus(links[1]);
  const ComPtr<IAccessible> mail = clientObject(links[1]);
  ASSERT_NE(mail.Get(), nullptr);
  EXPECT_TRUE(readOf(mail.Get(), CHILDID_SELF).state & STATE_SYSTEM_FOCUSED);
  MSG enter{};
  enter.hwnd = links[1];
  enter.message = WM_KEYDOWN;
  enter.wParam = VK_RETURN;
  EXPECT_TRUE(IsDialogMessageW(a, &enter));
  VARIANT self{};
  self.vt = VT_I4;
  EXPECT_EQ(web->accDoDefaultAction(self), S_OK);
  EXPECT_EQ(events.heard, (std::vector<Heard>{{"click", "Label6"}, {"click", "Label1"}}));
  pumpMessages(200);
  EXPECT_TRUE(testing::saveWindowPicture(a, testing::picturesDir() / "win32-about-focus.png"));
  // A screen reader that still holds a link of a closed dialog hears it is gone.
  about.reset();
  BSTR gone = nullptr;
  EXPECT_EQ(web->get_accName(self, &gone), RPC_E_DISCONNECTED);
}

BYTE brightest(const std::vector<BYTE>& pixels, HWND window, RECT area) {
  const SIZE size = clientSize(window);
  BYTE found = 0;
  for (LONG y = area.top; y < area.bottom; ++y)
    for (LONG x = area.left; x < area.right; ++x)
      found = std::max(found, pixels[static_cast<size_t>((y * size.cx + x) * 4 + 1)]);  // green
  return found;
}

// High contrast switched on as the user would, with its dark pair of system
// colours: the meter leaves out its picture and paints in the system's
// colours at once, and goes back when it is switched off.
TEST_F(Win32FormsTest, HighContrastDropsTheMetersPictureForTheSystemsColoursAndBack) {
  const auto [meter, w] = shown(form1Design(), 300);
  const std::vector<BYTE> designed = testing::clientPixels(w);
  const int elements[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOWTEXT, COLOR_HOTLIGHT};
  const COLORREF dark[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255), RGB(0, 255, 255)};
  COLORREF before[4];
  for (int i = 0; i < 4; ++i) before[i] = GetSysColor(elements[i]);
  const auto contrast = [](bool on) {
    HIGHCONTRASTW settings{sizeof settings, on ? DWORD{HCF_HIGHCONTRASTON} : 0, nullptr};
    return SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof settings, &settings, SPIF_SENDCHANGE) != FALSE;
  };
  testing::AtScopeEnd restore([&] {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags");
    contrast(false);
    SetSysColors(4, elements, before);
  });
  contrast(true);
  if (win32::desktopColours() != DesktopColours::HighContrast) {
    // Where Windows keeps the switch; a window system may read it from there.
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags", REG_SZ, L"127",
                    sizeof L"127");
    contrast(true);
  }
  if (win32::desktopColours() != DesktopColours::HighContrast) {
    GTEST_SKIP() << "this window system does not keep SPI_SETHIGHCONTRAST (wine): the colour choice is tested "
                    "in FormColours";
  }
  SetSysColors(4, elements, dark);
  pumpMessages(300);
  const std::vector<BYTE> contrasted = testing::clientPixels(w);
  EXPECT_TRUE(testing::saveWindowPicture(w, testing::picturesDir() / "win32-meter-high-contrast.png"));
  EXPECT_EQ(brightest(contrasted, w, {0, 52, 242, 58}), 0) << "the picture is gone: black below the bars";
  EXPECT_EQ(brightest(contrasted, w, {8, 24, 29, 36}), 255) << "the memory legend in white";
  contrast(false);
  SetSysColors(4, elements, before);
  pumpMessages(300);
  EXPECT_EQ(testing::clientPixels(w), designed);
}

}  // namespace
}  // namespace kerumo
