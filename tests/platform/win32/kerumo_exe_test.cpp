// kerumo.exe itself, started as a user would, in a folder of its own.
#include <gtest/gtest.h>

#include <objbase.h>

#include "running_kerumo.h"
#include "temp_dir.h"
#include "win32_test_support.h"

namespace kerumo {
namespace {

using testing::readFile;
using testing::RunningKerumo;
using testing::TempDir;
using testing::writeFile;

const std::string SavedSettings = "1500\r\n2000\r\n0\r\n1\r\n0\r\n10\r\n10\r\n";
// The left edge comes back whole pixels of 15 twips: 2000 is 133.3 pixels.
const std::string SettingsAtExit = "1500\r\n1995\r\n0\r\n1\r\n0\r\n10\r\n10\r\n";

class KerumoExe : public ::testing::Test {
 protected:
  void SetUp() override { writeFile(folder / "kerumo.ini", SavedSettings); }
  TempDir folder;
};

TEST_F(KerumoExe, ShowsTheMeterAtTheSavedPlaceAndWritesTheSettingsOnceOnClose) {
  RunningKerumo kerumo(folder.path());
  ASSERT_TRUE(kerumo.started());
  HWND meter = kerumo.window(L"KerumoForm1", true);
  ASSERT_NE(meter, nullptr);
  const SIZE client = testing::clientSize(meter);
  EXPECT_EQ(client.cx, 242);
  EXPECT_EQ(client.cy, 58);
  RECT r{};
  GetWindowRect(meter, &r);
  EXPECT_EQ(r.left, 133);
  EXPECT_EQ(r.top, 100);
  Sleep(1500);  // a few ticks, so the picture shows figures
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EXPECT_TRUE(testing::saveWindowPicture(meter, testing::picturesDir() / "win32-kerumo-exe.png"));
  CoUninitialize();
  EXPECT_EQ(readFile(folder / "kerumo.ini"), SavedSettings) << "nothing written before the end";

  PostMessageW(meter, WM_CLOSE, 0, 0);
  EXPECT_EQ(kerumo.waitForExit(), std::optional<DWORD>(0));
  EXPECT_EQ(readFile(folder / "kerumo.ini"), SettingsAtExit);
  EXPECT_FALSE(std::filesystem::exists(folder / "kerumo.ini.new"));
}

TEST_F(KerumoExe, TheSessionsEndWritesTheSettingsBeforeTheProcessMayBeKilled) {
  RunningKerumo kerumo(folder.path());
  ASSERT_TRUE(kerumo.started());
  ASSERT_NE(kerumo.window(L"KerumoForm1", true), nullptr);
  HWND listener = kerumo.window(L"KerumoPlatform", false);
  ASSERT_NE(listener, nullptr);
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(listener, WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 5000, &answer);
  EXPECT_EQ(answer, TRUE);
  SendMessageTimeoutW(listener, WM_ENDSESSION, TRUE, 0, SMTO_BLOCK, 5000, &answer);
  EXPECT_EQ(readFile(folder / "kerumo.ini"), SettingsAtExit);
  EXPECT_EQ(kerumo.waitForExit(), std::optional<DWORD>(0));
  EXPECT_EQ(readFile(folder / "kerumo.ini"), SettingsAtExit);
}

TEST_F(KerumoExe, ASecondStartInTheSameFolderLeavesTheFirstRunning) {
  RunningKerumo first(folder.path());
  ASSERT_NE(first.window(L"KerumoForm1", true), nullptr);
  RunningKerumo second(folder.path());
  ASSERT_TRUE(second.started());
  EXPECT_EQ(second.waitForExit(), std::optional<DWORD>(0));
  HWND meter = first.window(L"KerumoForm1", true);
  ASSERT_NE(meter, nullptr);
  PostMessageW(meter, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.waitForExit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace kerumo
