// kerumo.exe itself, started as a user would, in a folder of its own.
#include <gtest/gtest.h>

#include <objbase.h>
#include <winver.h>

#include <optional>
#include <string>
#include <vector>

#include "kerumo_version.h"
#include "platform/win32/win32_text.h"

#include "running_kerumo.h"
#include "temp_dir.h"
#include "win32_test_support.h"

namespace kerumo {
namespace {

using testing::builtProgram;
using testing::readFile;
using testing::RunningKerumo;
using testing::TempDir;
using testing::writeFile;

const std::string SavedSettings = "1500\r\n2000\r\n0\r\n1\r\n0\r\n10\r\n10\r\n";
// The left edge comes back whole pixels of 15 twips: 2000 is 133.3 pixels.
const std::string SettingsAtExit = "1500\r\n1995\r\n0\r\n1\r\n0\r\n10\r\n10\r\n";

// One string of the program's version resource, or nullopt.
std::optional<std::wstring> versionString(const std::vector<char>& info, const wchar_t* table, const wchar_t* name) {
  const std::wstring key = std::wstring(L"\\StringFileInfo\\") + table + L"\\" + name;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(info.data(), key.c_str(), &value, &length) || length == 0) return std::nullopt;
  return std::wstring(static_cast<const wchar_t*>(value));
}

// What Explorer's Properties and software inventories read from the file.
TEST(KerumoExeFile, CarriesItsVersionInJapaneseAndEnglish) {
  const std::wstring program = builtProgram().wstring();
  const DWORD size = GetFileVersionInfoSizeW(program.c_str(), nullptr);
  ASSERT_GT(size, 0u) << "no version resource";
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  const std::wstring version = win32::widen(KERUMO_VERSION);
  const std::wstring dotted = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                              std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                              std::to_wstring(HIWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(dotted, version);
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  DWORD* translations = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length));
  ASSERT_EQ(length, 8u);
  EXPECT_EQ(translations[0], MAKELONG(0x0411, 1200));
  EXPECT_EQ(translations[1], MAKELONG(0x0409, 1200));
  const std::wstring file = builtProgram().filename().wstring();
  const struct {
    const wchar_t *table, *product, *description;
  } tables[] = {{L"041104B0", L"ケルモ", L"ケルモ 常駐型システムモニター"},
                {L"040904B0", L"Kerumo", L"Kerumo resident system monitor"}};
  for (const auto& t : tables) {
    SCOPED_TRACE(win32::narrow(t.table));
    EXPECT_EQ(versionString(info, t.table, L"ProductName"), t.product);
    EXPECT_EQ(versionString(info, t.table, L"FileDescription"), t.description);
    EXPECT_EQ(versionString(info, t.table, L"FileVersion"), version);
    EXPECT_EQ(versionString(info, t.table, L"ProductVersion"), version);
    EXPECT_EQ(versionString(info, t.table, L"LegalCopyright"), L"Copyright (c) 2026 The Kerumo developers");
    EXPECT_EQ(versionString(info, t.table, L"OriginalFilename"), file);
  }
}

class KerumoExe : public ::testing::Test {
 protected:
  void SetUp() override { writeFile(folder / "kerumo.ini", SavedSettings); }
  TempDir folder;
};

TEST_F(KerumoExe, ShowsTheMeterAtTheSavedPlaceKeepsItOneAndWritesTheSettingsOnceOnClose) {
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
  // A second start in the same folder leaves the first running.
  RunningKerumo second(folder.path());
  ASSERT_TRUE(second.started());
  EXPECT_EQ(second.waitForExit(), std::optional<DWORD>(0));
  EXPECT_TRUE(kerumo.running());

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

}  // namespace
}  // namespace kerumo
