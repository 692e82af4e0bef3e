// What users' desktops are like: kerumo.exe at the display scale the wine
// prefix gives (KERUMO_WINE_DPI) and on screens the test display lacks, and
// the warning-settings dialog on a Japanese Windows (code page 932, run with
// LANG=ja_JP.UTF-8).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/form3.h"
#include "dialogs/form3_controls.h"
#include "monitor/warning_settings.h"
#include "platform/win32/win32_platform.h"
#include "running_kerumo.h"
#include "shell/form1_controls.h"
#include "shell/form1_design.h"
#include "temp_dir.h"
#include "win32_test_support.h"
#include "tests/no_form_events.h"

#include <imm.h>  // after the Windows headers

namespace kerumo {
namespace {

using testing::className;
using testing::pumpMessages;
using testing::textOf;

constexpr wchar_t PopupMenuClass[] = L"#32768";
constexpr UINT TrayCallback = WM_MOUSEMOVE;  // the record's callback message
constexpr WPARAM TrayIconId = 1;

// Waits up to three seconds: without a window manager, wine takes about
// two to show a window it has just hidden.
bool becomes(const std::function<bool()>& state) { return testing::pumpMessagesUntil(state, 3000); }

// One start at each scale: the meter laid out at the screen's scale, the
// pointer moved over it, then the tray icon's clicks.
TEST(Scaling, TheMeterAtTheScreensScaleAnswersTheTrayIconAndNotThePointer) {
  SetProcessDPIAware();  // pixels as the screen has them
  const testing::TempDir folder;
  testing::writeFile(folder / "kerumo.ini", testing::Settings);
  const char* wanted = std::getenv("KERUMO_WINE_DPI");
  const int dpi = static_cast<int>(GetDpiForSystem());
  ASSERT_EQ(dpi, wanted ? std::atoi(wanted) : 96) << "the prefix's LogPixels";
  testing::RunningKerumo kerumo(folder.path());
  HWND meter = kerumo.meter();
  ASSERT_NE(meter, nullptr);
  const SIZE client = testing::clientSize(meter);
  const auto menuIsOpen = [&] { return kerumo.windowNow(PopupMenuClass) != nullptr; };
  const auto closeTheMenu = [&] {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(meter, WM_CANCELMODE, 0, 0, SMTO_BLOCK, 5000, &ignored);
    becomes([&] { return !menuIsOpen(); });
  };
  const auto postTrayCallback = [&](LPARAM message) { PostMessageW(meter, TrayCallback, TrayIconId, message); };
  testing::parkThePointer();  // where the tray icon would be: not over the meter
  EXPECT_EQ(client.cx, static_cast<LONG>(std::lround(242.0 * dpi / 96)));
  Sleep(1200);  // a few ticks, so the picture shows figures
  const std::string name = "win32-meter-" + std::to_string(dpi) + "dpi.png";
  EXPECT_TRUE(testing::saveWindowPicture(meter, testing::picturesDir() / name));

  // Over a meter wider than 516 pixels (250 % and more) the pointer crosses
  // x = 513 and 516, the numbers of the left and the right button press.
  POINT origin{0, 0};
  ClientToScreen(meter, &origin);
  const int barRow = MulDiv(660, dpi, 1440);  // twips 600 to 735
  for (const int y : {0, barRow}) {
    for (int x = 0; x < client.cx; x += 1) {
      SetCursorPos(origin.x + x, origin.y + y);
      Sleep(2);
    }
  }
  for (const int x : {513, 516}) {
    if (x >= client.cx) continue;
    for (const int y : {0, barRow}) {
      SetCursorPos(origin.x + x, origin.y + y);
      Sleep(300);
      EXPECT_FALSE(menuIsOpen()) << "x " << x << ", y " << y << " at " << dpi << " DPI";
      if (menuIsOpen()) closeTheMenu();
    }
  }
  testing::parkThePointer();
  Sleep(300);
  EXPECT_FALSE(menuIsOpen());
  EXPECT_TRUE(IsWindowVisible(meter));
  EXPECT_TRUE(kerumo.running());

  // As the shell delivers it: the callback message posted to the meter with
  // the icon's id in wParam and the mouse message in lParam. The messages are
  // handled in order, so once the right click's menu is up, the releases,
  // double clicks and moves before it have been handled too. First a double
  // click on the bare surface below the bars hides the meter.
  PostMessageW(meter, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(MulDiv(2, dpi, 96), client.cy - MulDiv(2, dpi, 96)));
  ASSERT_TRUE(becomes([&] { return !IsWindowVisible(meter); }));
  for (const LPARAM message : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_RBUTTONDBLCLK}) {
    postTrayCallback(message);
  }
  postTrayCallback(WM_RBUTTONDOWN);
  ASSERT_TRUE(becomes(menuIsOpen)) << "no menu at " << dpi << " DPI";
  EXPECT_FALSE(IsWindowVisible(meter)) << "a release, double click or move showed the meter";
  closeTheMenu();
  Sleep(300);
  EXPECT_FALSE(menuIsOpen()) << "a release, double click or move opened the menu";

  postTrayCallback(WM_LBUTTONDOWN);
  postTrayCallback(WM_LBUTTONUP);
  EXPECT_TRUE(becomes([&] { return IsWindowVisible(meter) != FALSE; })) << "not shown at " << dpi << " DPI";
  Sleep(300);
  EXPECT_FALSE(menuIsOpen());
}

// Screens wider than the test display, or more of them, on an X server of
// their own (the Win32Screens runs). Positions are twips at the primary's
// scale, 15 a pixel here.
class Screens : public ::testing::Test {
 protected:
  void SetUp() override { SetProcessDPIAware(); }

  // One run of kerumo.exe in `folder`: where its meter shows. `meanwhile`
  // runs while it shows; then the run ends as a user ends it, which writes
  // the file.
  static RECT runOnce(const std::filesystem::path& folder, const std::function<void()>& meanwhile = {}) {
    const testing::RunningKerumo kerumo(folder);
    RECT shown{};
    EXPECT_TRUE(GetWindowRect(kerumo.meter(), &shown)) << "no meter";
    if (meanwhile) meanwhile();
    EXPECT_EQ(kerumo.close(), std::optional<DWORD>(0));
    return shown;
  }
  // Started with `place`, the file's first two lines, the meter shows at
  // `left`, and the exit writes the same place back.
  void comesBackAt(const std::string& place, LONG left) {
    testing::writeFile(folder / "kerumo.ini", place + switches);
    EXPECT_EQ(runOnce(folder.path()).left, left) << place;
    EXPECT_EQ(testing::readFile(folder / "kerumo.ini"), place + switches);
  }
  // A named CALLBACK, not a lambda: on 32-bit Windows a lambda converts
  // only to a cdecl function pointer, and the enumeration calls stdcall.
  static BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, RECT*, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    reinterpret_cast<std::vector<MONITORINFO>*>(list)->push_back(info);
    return TRUE;
  }
  static std::vector<MONITORINFO> monitors() {
    std::vector<MONITORINFO> found;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&found));
    return found;
  }
  static std::string described(const std::vector<MONITORINFO>& list) {
    std::string text;
    for (const MONITORINFO& m : list) {
      text += (m.dwFlags & MONITORINFOF_PRIMARY ? " primary " : " ") + std::to_string(m.rcMonitor.left) + "," +
              std::to_string(m.rcMonitor.top) + " " + std::to_string(m.rcMonitor.right - m.rcMonitor.left) + "x" +
              std::to_string(m.rcMonitor.bottom - m.rcMonitor.top) + ";";
    }
    return text;
  }
  const std::string switches = "0\r\n1\r\n0\r\n10\r\n10\r\n";
  testing::TempDir folder;
};

// 2560 pixels: the default place and 36000 twips (2400 pixels) lie beyond
// 16 bits and come back at the same pixel after an exit. A place on a
// screen no longer there gives the default place, and the file keeps the
// old one until the exit.
TEST_F(Screens, OnAWideScreenTheDefaultPlaceAndAFarRightOneComeBack) {
  if (GetSystemMetrics(SM_CXSCREEN) < 2560) GTEST_SKIP() << "needs a primary screen 2560 pixels wide";
  const RECT first = runOnce(folder.path());
  EXPECT_EQ(first.right, 2560 - 16) << "the default place";
  EXPECT_EQ(first.top, 16);
  const std::string atHome =
      std::to_string(first.top * 15) + "\r\n" + std::to_string(first.left * 15) + "\r\n" + switches;
  EXPECT_EQ(testing::readFile(folder / "kerumo.ini"), atHome);
  EXPECT_EQ(runOnce(folder.path()).left, first.left);
  comesBackAt("1500\r\n36000\r\n", 2400);
  const std::string onAScreenGone = "1500\r\n60000\r\n" + switches;
  testing::writeFile(folder / "kerumo.ini", onAScreenGone);
  const auto fileKept = [&] { EXPECT_EQ(testing::readFile(folder / "kerumo.ini"), onAScreenGone); };
  EXPECT_EQ(runOnce(folder.path(), fileKept).left, first.left);
  EXPECT_EQ(testing::readFile(folder / "kerumo.ini"), atHome);
}

// A second monitor wider than the primary: 36000 twips lie on it only.
TEST_F(Screens, OnASecondMonitorTheMeterComesBackThere) {
  const std::vector<MONITORINFO> all = monitors();
  if (all.size() < 2) GTEST_SKIP() << "wine reports one monitor:" << described(all);
  const RECT place{2400, 100, 2401, 101};
  MONITORINFO holder{};
  holder.cbSize = sizeof holder;
  GetMonitorInfoW(MonitorFromRect(&place, MONITOR_DEFAULTTONULL), &holder);
  ASSERT_FALSE(holder.dwFlags & MONITORINFOF_PRIMARY) << described(all);
  SCOPED_TRACE(described(all));
  comesBackAt("1500\r\n36000\r\n", 2400);
}

// Left of or above the primary, in negative twips.
TEST_F(Screens, LeftOfThePrimaryInNegativeTwipsTheMeterComesBackThere) {
  const std::vector<MONITORINFO> all = monitors();
  const auto left = std::ranges::find_if(all, [](const MONITORINFO& m) { return m.rcMonitor.left < 0; });
  if (left == all.end()) GTEST_SKIP() << "wine reports no monitor left of the primary:" << described(all);
  const LONG x = left->rcMonitor.left + 100;
  comesBackAt("1500\r\n" + std::to_string(x * 15) + "\r\n", x);
}

bool hasInputMethod(HWND edit) {
  HIMC context = ImmGetContext(edit);
  if (context) ImmReleaseContext(edit, context);
  return context != nullptr;
}

// The threshold fields have no input method, and only ASCII digits and
// backspace get in, whether typed, committed by an input method or asked for
// with Ctrl+V, Ctrl+C or Ctrl+X on the keyboard. The check box checks itself.
TEST(JapaneseInput, TheThresholdFieldsHaveNoInputMethodAndDropCommittedTextControlCharactersAndPastes) {
  ASSERT_EQ(GetACP(), 932u) << "the Japanese locale (LANG=ja_JP.UTF-8) is missing";
  WarnEnabled = 1;
  MemThreshold = 12;
  ResThreshold = 34;
  win32::Win32Platform platform;
  testing::NoFormEvents noEvents;
  const std::unique_ptr<FormWindow> meter = platform.createForm(form1Design(), noEvents);
  Form3 dialog(platform, [&] { meter->setTimerEnabled(form1::Timer1, true); });
  dialog.Form_Load();
  dialog.window().setVisible(true);
  pumpMessages(100);
  HWND window = dynamic_cast<win32::Win32Form&>(dialog.window()).handle();
  std::vector<std::pair<std::string, HWND>> fields;
  HWND checkBox = nullptr;
  for (HWND child : testing::windowsUnder(window)) {
    if (className(child) == L"Edit") fields.emplace_back(textOf(child) == L"12" ? form3::Text1 : form3::Text2, child);
    if (textOf(child) == L"警告機能を利用する") checkBox = child;
  }
  ASSERT_EQ(fields.size(), 2u);
  ASSERT_NE(checkBox, nullptr);

  // An ordinary field of the same program has one, so the check means
  // something. It puts "99" on the clipboard, for the pastes.
  HWND plain = CreateWindowExW(0, L"EDIT", L"99", WS_CHILD, 0, 0, 50, 20, window, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
  EXPECT_TRUE(hasInputMethod(plain));
  SendMessageW(plain, EM_SETSEL, 0, -1);
  SendMessageW(plain, WM_COPY, 0, 0);
  DestroyWindow(plain);
  for (const auto& [name, edit] : fields) EXPECT_FALSE(hasInputMethod(edit)) << name;
  // The keys themselves, through the window system's own translation: Ctrl+V pastes nothing.
  HWND first = fields.front().second;
  SetForegroundWindow(window);
  SetFocus(first);
  SendMessageW(first, EM_SETSEL, 2, 2);
  INPUT keys[6] = {};
  const WORD sequence[6][2] = {{VK_CONTROL, 0}, {'V', 0}, {'V', KEYEVENTF_KEYUP}, {VK_CONTROL, KEYEVENTF_KEYUP},
                               {'4', 0},        {'4', KEYEVENTF_KEYUP}};
  for (int i = 0; i < 6; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = sequence[i][0];
    keys[i].ki.dwFlags = sequence[i][1];
  }
  SendInput(6, keys, sizeof(INPUT));
  pumpMessages(300);
  EXPECT_EQ(textOf(first), L"124");

  for (const auto& [name, edit] : fields) {
    SCOPED_TRACE(name);
    SetWindowTextW(edit, L"");
    for (const wchar_t c : std::wstring(L"１０あ")) SendMessageW(edit, WM_IME_CHAR, c, 1);
    for (const wchar_t c : std::wstring(L"１ア5a-. ")) SendMessageW(edit, WM_CHAR, c, 1);
    EXPECT_EQ(textOf(edit), L"5");
    SendMessageW(edit, WM_CHAR, 0x16, 1);  // Ctrl+V
    EXPECT_EQ(textOf(edit), L"5");
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CHAR, 0x03, 1);  // Ctrl+C
    SendMessageW(edit, WM_CHAR, 0x18, 1);  // Ctrl+X
    EXPECT_EQ(textOf(edit), L"5");
    SendMessageW(edit, EM_SETSEL, 1, 1);
    for (const wchar_t c : std::wstring(L"7\b7")) SendMessageW(edit, WM_CHAR, c, 1);
    EXPECT_EQ(textOf(edit), L"57");
    SendMessageW(edit, WM_PASTE, 0, 0);  // the context menu's paste stays, and the clipboard kept "99"
    EXPECT_EQ(textOf(edit), L"5799");
  }
  for (const int armed : {0, 1}) {
    SendMessageW(checkBox, BM_CLICK, 0, 0);
    EXPECT_EQ(WarnEnabled, armed);
  }
  pumpMessages(200);
  EXPECT_TRUE(testing::saveWindowPicture(window, testing::picturesDir() / "win32-warning-settings-ja.png"));
}

}  // namespace
}  // namespace kerumo
