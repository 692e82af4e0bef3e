// kerumo.exe at the display scale the wine prefix gives (KERUMO_WINE_DPI):
// the tray icon's callback posted the way the shell posts it, and the real
// pointer moved over the meter.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>

#include "running_kerumo.h"
#include "temp_dir.h"
#include "win32_test_support.h"

namespace kerumo {
namespace {

using testing::RunningKerumo;
using testing::TempDir;

constexpr wchar_t MeterClass[] = L"KerumoForm1";
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
  const TempDir folder;
  testing::writeFile(folder / "kerumo.ini", testing::Settings);
  const char* wanted = std::getenv("KERUMO_WINE_DPI");
  const int dpi = static_cast<int>(GetDpiForSystem());
  ASSERT_EQ(dpi, wanted ? std::atoi(wanted) : 96) << "the prefix's LogPixels";
  RunningKerumo kerumo(folder.path());
  HWND meter = kerumo.window(MeterClass, true);
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

}  // namespace
}  // namespace kerumo
