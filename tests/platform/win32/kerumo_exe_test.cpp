// kerumo.exe itself, started as a user would: its settings in the current
// directory, the two monitoring libraries beside the program (and never
// taken from the current directory). They are our own stand-ins, built like
// the classic libraries for the program's width, or 32-bit ones beside the
// 64-bit program. Without the port library, the temperature comes from the
// thermal zones: wine's own pdh.dll has none, our stand-in two.
#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "kerumo_version.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"
#include "running_kerumo.h"
#include "shell/form1_design.h"
#include "temp_dir.h"
#include "win32_test_support.h"
#include "tests/no_form_events.h"

#include <winver.h>  // after the Windows headers

namespace kerumo {
namespace {

using testing::AtScopeEnd;
using testing::builtProgram;
using testing::readFile;
using testing::RunningKerumo;
using testing::Settings;

// The left edge comes back whole pixels of 15 twips: 2000 is 133.3 pixels.
const std::string SettingsAtExit = "1500\r\n1995\r\n0\r\n1\r\n0\r\n10\r\n10\r\n";
// One tick with warnings off, as the stand-ins log it.
const std::string Tick = "GetResInfo;GetCpuStart;GetCpuUsage;MemoryLoad;MemoryLoad;OutputPort 661 39;InputPort 662;";

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
  ASSERT_TRUE(
      VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length));
  EXPECT_EQ(std::vector(translations, translations + length / sizeof(DWORD)),
            std::vector<DWORD>({MAKELONG(0x0411, 1200), MAKELONG(0x0409, 1200)}));
  const std::wstring file = builtProgram().filename().wstring();
  const struct {
    const wchar_t *table, *product, *description, *copyright;
  } tables[] = {{L"041104B0", L"ケルモ", L"ケルモ 常駐型システムモニター", L"Copyright © 2026 ケルモ開発チーム"},
                {L"040904B0", L"Kerumo", L"Kerumo resident system monitor", L"Copyright (c) 2026 The Kerumo developers"}};
  for (const auto& t : tables) {
    SCOPED_TRACE(win32::narrow(t.table));
    EXPECT_EQ(versionString(info, t.table, L"ProductName"), t.product);
    EXPECT_EQ(versionString(info, t.table, L"FileDescription"), t.description);
    EXPECT_EQ(versionString(info, t.table, L"FileVersion"), version);
    EXPECT_EQ(versionString(info, t.table, L"ProductVersion"), version);
    EXPECT_EQ(versionString(info, t.table, L"LegalCopyright"), t.copyright);
    EXPECT_EQ(versionString(info, t.table, L"OriginalFilename"), file);
  }
}

// The manifest Windows reads before the program runs: with an execution
// level, so that Windows does not virtualise the program's file writes.
TEST(KerumoExeFile, AsksToRunAsInvoker) {
  const std::wstring program = builtProgram().wstring();
  HMODULE image = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(image, nullptr);
  const AtScopeEnd unload([image] { FreeLibrary(image); });
  HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr) << "no manifest";
  const auto* bytes = static_cast<const char*>(LockResource(LoadResource(image, found)));
  const std::string manifest(bytes, SizeofResource(image, found));
  EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"), std::string::npos)
      << manifest;
}

// Sets an environment variable that programs started meanwhile inherit.
testing::AtScopeEnd inherited(const wchar_t* name, const std::wstring& value) {
  SetEnvironmentVariableW(name, value.c_str());
  return testing::AtScopeEnd([name] { SetEnvironmentVariableW(name, nullptr); });
}

int occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

std::filesystem::path standIns(const std::string& variant) {
  return testing::hostPath(std::string(KERUMO_STAND_INS) + "/" + variant);
}

// The meter as it must look with the resource stand-in's figures: resources
// 63 % free, CPU 30 %, memory 40 % free; and `temperature`.
std::vector<BYTE> expectedMeter(const std::filesystem::path& picture, const char* temperature) {
  win32::Win32Platform platform;
  testing::NoFormEvents events;
  auto form = platform.createForm(form1Design(), events);
  form->setMenuVisible(false);
  form->setLeft(2000);
  form->setTop(1500);
  for (const auto& [label, text] :
       {std::pair{"Label3", "37"}, {"Label2", "60"}, {"Label16", "30"}, {"Label5", temperature}})
    form->setCaption(label, text);
  for (const auto& [bar, twips] : {std::pair{"Shape1", 600.0}, {"Shape3", 300.0}, {"Shape5", 370.0}})
    form->setWidth(bar, twips);
  form->setVisible(true);
  testing::pumpMessages(300);
  HWND window = dynamic_cast<win32::Win32Form&>(*form).handle();
  testing::saveWindowPicture(window, picture);
  return testing::clientPixels(window);
}

// Every run also checks what any start must do: the meter at the saved
// place, no message box (nothing here is the user's error), and the settings
// written once, at the end, replacing the file. The run the session ends
// first starts a second copy in the same folder, which must end at once.
class KerumoExe : public ::testing::Test {
 protected:
  enum class Ending { Close, SessionEnd };
  struct Run {
    std::string calls;
    std::string errors;  // in lines ended by LF
  };

  // The program and the `files` of `libraries` together in a folder of their
  // own, not the current directory, which keeps the settings; with our
  // pdh.dll, when asked, loaded rather than wine's own.
  std::filesystem::path placeProgram(const std::filesystem::path& libraries = standIns("stand_ins"), bool ourPdh = true,
                                     std::initializer_list<const char*> files = {"resinfo.dll", "vbioport32.dll"}) {
    std::filesystem::create_directory(programFolder);
    const std::filesystem::path program = programFolder / builtProgram().filename().string();
    std::filesystem::copy_file(builtProgram(), program);
    for (const char* file : files) std::filesystem::copy_file(libraries / file, programFolder / file);
    const std::filesystem::path pdh = testing::hostPath(KERUMO_STAND_IN_PDH) / "pdh.dll";
    if (ourPdh) std::filesystem::copy_file(pdh, programFolder / "pdh.dll");
    return program;
  }

  // `program` started in the folder on `settings`; what it says on standard
  // error goes to errors.txt.
  RunningKerumo start(const std::filesystem::path& program, const std::string& settings = Settings) {
    testing::writeFile(folder / "kerumo.ini", settings);
    return RunningKerumo(folder.path(), program, folder / "errors.txt");
  }

  // The file holds `settings` after the exit, and no temporary file or link is left.
  void expectSaved(const std::string& settings) {
    EXPECT_EQ(readFile(folder / "kerumo.ini"), settings);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(folder / "kerumo.ini.new")));
  }

  // Runs `program` until the stand-ins have logged `call` `ticks` times, ten
  // seconds at most, and compares the meter, pictured as win32-`name`.png,
  // with one showing the stand-in's figures and `temperature`, when given.
  Run run(const std::filesystem::path& program, const std::string& name, const std::string& call, int ticks,
          const char* temperature, Ending ending = Ending::Close) {
    testing::parkThePointer();  // no tool tip over the picture
    const auto callsFile = inherited(L"KERUMO_FAKE_CALLS_FILE", (folder / "calls.txt").wstring());
    const auto pdhOverride = inherited(L"WINEDLLOVERRIDES", L"pdh=n");
    const std::filesystem::path picture = testing::picturesDir() / ("win32-" + name + ".png");
    std::vector<BYTE> shown;
    {
      const RunningKerumo kerumo = start(program);
      HWND meter = kerumo.meter();
      EXPECT_NE(meter, nullptr);
      if (meter == nullptr) return {};
      RECT r{};
      GetWindowRect(meter, &r);
      EXPECT_EQ(r.left, 133) << "the saved place, in whole pixels";
      EXPECT_EQ(r.top, 100);
      EXPECT_TRUE(testing::pumpMessagesUntil(
          [&] { return occurrences(readFile(folder / "calls.txt"), call) >= ticks; }, 10000));
      Sleep(300);  // the repaint after the tick
      EXPECT_EQ(kerumo.windowNow(L"#32770"), nullptr) << "a message box";
      EXPECT_TRUE(testing::saveWindowPicture(meter, picture));
      shown = testing::clientPixels(meter);
      EXPECT_EQ(readFile(folder / "kerumo.ini"), Settings) << "nothing written before the end";
      if (ending == Ending::Close) {
        EXPECT_EQ(kerumo.close(), std::optional<DWORD>(0));
      } else {
        EXPECT_EQ(RunningKerumo(folder.path(), program).waitForExit(), std::optional<DWORD>(0)) << "a second start";
        EXPECT_TRUE(kerumo.running());
        // Once WM_ENDSESSION is answered, Windows may end the process at any moment.
        HWND listener = kerumo.window(L"KerumoPlatform", false);
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(listener, WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 5000, &answer);
        EXPECT_EQ(answer, TRUE);
        SendMessageTimeoutW(listener, WM_ENDSESSION, TRUE, 0, SMTO_BLOCK, 5000, &answer);
        EXPECT_EQ(readFile(folder / "kerumo.ini"), SettingsAtExit) << "written when the session ended";
        EXPECT_EQ(kerumo.waitForExit(), std::optional<DWORD>(0));
      }
    }
    expectSaved(SettingsAtExit);
    if (temperature != nullptr) {
      const std::vector<BYTE> expected =
          expectedMeter(testing::picturesDir() / ("win32-" + name + "-expected.png"), temperature);
      EXPECT_TRUE(shown == expected) << "labels or bars differ: see " << picture;
    }
    std::string errors = readFile(folder / "errors.txt");
    std::erase(errors, '\r');
    return {readFile(folder / "calls.txt"), errors};
  }

  testing::TempDir folder;
  const std::filesystem::path programFolder = folder / "program";
};

class KerumoWithLibraries : public KerumoExe, public ::testing::WithParamInterface<std::string> {};

TEST_P(KerumoWithLibraries, TicksCallThemInTheDesignsOrderAndShowTheirFigures) {
  const std::filesystem::path program = placeProgram(standIns(GetParam()));  // our pdh.dll too: the port library wins
  const Run run = this->run(program, "libraries-" + GetParam(), "InputPort", 2, "52");
  const int ticks = occurrences(run.calls, Tick);
  EXPECT_GE(ticks, 2);
  EXPECT_EQ(run.calls.size(), ticks * Tick.size()) << "nothing but whole ticks, in order: " << run.calls;
  EXPECT_EQ(run.errors, "") << "libraries that serve are the normal case";
}

INSTANTIATE_TEST_SUITE_P(Exports, KerumoWithLibraries, ::testing::Values(KERUMO_STAND_IN_VARIANTS),
                         [](const auto& info) { return info.param; });

// Below, only the resource library is beside the program: the temperature
// register is answered from the thermal zones of whatever pdh.dll is loaded.
TEST_F(KerumoExe, OnWinesNoThermalZonesShowsDashesSaysSoOnceAndWritesTheSettingsWhenTheSessionEnds) {
  // Never loaded from the current directory, where anyone may leave a file.
  std::filesystem::copy_file(standIns("stand_ins") / "vbioport32.dll", folder / "vbioport32.dll");
  const Run run = this->run(placeProgram(standIns("stand_ins"), false, {"resinfo.dll"}), "thermal-zones-none",
                            "GetResInfo", 3, "--", Ending::SessionEnd);
  // The port library in the current directory is not there for the loader,
  // which says nothing of it.
  EXPECT_EQ(run.errors, "kerumo: この PC では Windows が温度ゾーン（Thermal Zone Information）を公開していないため、"
                        "温度は「--」と表示します\n");
}

TEST_F(KerumoExe, OnOurPdhShowsTheHottestZoneInWholeDegrees) {
  const Run run = this->run(placeProgram(standIns("stand_ins"), true, {"resinfo.dll"}), "thermal-zones-two",
                            "GetResInfo", 3, "47");
  EXPECT_EQ(occurrences(run.errors, "と表示します"), 0) << run.errors;
  EXPECT_EQ(occurrences(run.calls, "PdhOpenQueryW;"), 1) << "one query for the whole run: " << run.calls;
  EXPECT_EQ(occurrences(run.calls, "PdhAddEnglishCounterW"), 1) << "the finer one only: " << run.calls;
  const int ticks = occurrences(run.calls, "GetResInfo;");
  EXPECT_GE(ticks, 3);
  EXPECT_EQ(occurrences(run.calls, "PdhCollectQueryData;"), ticks) << "one collect a tick: " << run.calls;
  EXPECT_EQ(occurrences(run.calls, "PdhGetFormattedCounterArrayW;"), ticks + 1)
      << "the buffer's size is asked once: " << run.calls;
}

// What wine's X11 driver put on the X window of `window` for `property`,
// read with xprop as a window manager would; or why it could not be read.
std::string xProperty(HWND window, const char* property, const std::filesystem::path& output) {
  const auto x = reinterpret_cast<uintptr_t>(GetPropW(window, L"__wine_x11_whole_window"));
  if (x == 0) return "no X window";
  std::wstring command = L"Z:\\usr\\bin\\xprop -id " + std::to_wstring(x) + L" " + win32::widen(property);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE file = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "no file for its output";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = file;
  startup.hStdError = file;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                      &process);
  CloseHandle(file);
  if (!started) return "xprop did not start: " + std::to_string(GetLastError());
  // Wine gives no handle to wait on for a Unix program: its line is waited for.
  if (process.hProcess != nullptr) CloseHandle(process.hProcess);
  if (process.hThread != nullptr) CloseHandle(process.hThread);
  std::string said;
  testing::pumpMessagesUntil([&] { return (said = readFile(output)).find('\n') != std::string::npos; }, 10000);
  return said;
}

// The message box's own controls: its text, its buttons and any icon.
struct BoxContents {
  std::wstring text;
  std::vector<std::wstring> buttons;
  bool icon = false;
};

BoxContents contentsOf(HWND box) {
  BoxContents contents;
  for (HWND button : testing::windowsUnder(box, L"Button")) contents.buttons.push_back(testing::textOf(button));
  for (HWND label : testing::windowsUnder(box, L"Static")) {
    if ((GetWindowLongW(label, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      contents.icon = contents.icon || SendMessageW(label, STM_GETICON, 0, 0) != 0;
    } else if (!testing::textOf(label).empty()) {
      contents.text = testing::textOf(label);
    }
  }
  return contents;
}

// Warnings armed at 50 % free memory; the stand-in has 40 % free.
const std::string WarningSettings = "1500\r\n2000\r\n0\r\n1\r\n1\r\n50\r\n10\r\n";

// A warning comes from a tick, with no input of the user's: on Windows the
// foreground may be refused it, so it must be topmost to be seen. Wine gives
// a topmost window _NET_WM_STATE_ABOVE on its X window. Warned, the user opens
// the warning settings, a dialog with no task-bar button: chosen again from
// the tray menu while it is open, it comes to the front and no second opens.
TEST_F(KerumoExe, TheLowMemoryWarningIsATopmostBoxOfItsTextAndOneOkAndWarningSettingsChosenAgainComeForward) {
  const RunningKerumo kerumo = start(placeProgram(), WarningSettings);
  HWND meter = kerumo.meter();
  ASSERT_NE(meter, nullptr);
  HWND box = kerumo.window(L"#32770", true);
  ASSERT_NE(box, nullptr) << "no warning box";
  EXPECT_EQ(testing::textOf(box), L"ケルモ警告");
  const BoxContents contents = contentsOf(box);
  EXPECT_EQ(contents.text, L"警告\r\n物理メモリ残量\r\nいくつかのアプリケーションを終了させてください。");
  EXPECT_EQ(contents.buttons, std::vector<std::wstring>{L"OK"});
  EXPECT_FALSE(contents.icon);
  EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(IsWindowEnabled(meter)) << "modal to the program";
  const std::string above = xProperty(box, "_NET_WM_STATE", folder / "xprop.txt");
  EXPECT_NE(above.find("_NET_WM_STATE_ABOVE"), std::string::npos) << above;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(testing::pumpMessagesUntil([&] { return !IsWindow(box); }, 5000));

  // As the shell posts the icon's right click; then the menu's seventh
  // item, the fifth that is not a separator, from the keyboard.
  const auto chooseWarningSettings = [&] {
    PostMessageW(meter, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN);
    HWND menu = kerumo.window(L"#32768", true);
    if (menu == nullptr) return false;
    for (int down = 0; down < 5; ++down) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    return testing::pumpMessagesUntil([&] { return kerumo.windowNow(L"#32768") == nullptr; }, 5000);
  };
  ASSERT_TRUE(chooseWarningSettings()) << "no menu";
  HWND dialog = kerumo.window(L"KerumoForm3", true);
  ASSERT_NE(dialog, nullptr) << "no dialog";
  // Shown first and made the foreground next, in Kerumo's own process.
  EXPECT_TRUE(testing::pumpMessagesUntil([&] { return GetForegroundWindow() == dialog; }, 3000))
      << "opened from the menu, it is not the foreground window";
  // The user works elsewhere meanwhile.
  const win32::UniqueWindow elsewhere(CreateWindowExW(0, L"STATIC", L"elsewhere", WS_POPUP | WS_VISIBLE, 300, 300, 200,
                                                     100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  SetForegroundWindow(elsewhere.get());
  ASSERT_TRUE(testing::pumpMessagesUntil([&] { return GetForegroundWindow() == elsewhere.get(); }, 3000));
  ASSERT_TRUE(chooseWarningSettings()) << "no menu while the dialog is open";
  EXPECT_TRUE(testing::pumpMessagesUntil([&] { return GetForegroundWindow() == dialog; }, 3000))
      << "the open dialog did not come forward";
  testing::pumpMessages(500);
  EXPECT_EQ(kerumo.windowsNow(L"KerumoForm3").size(), 1u) << "a second dialog";
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(testing::pumpMessagesUntil([&] { return !IsWindowVisible(dialog); }, 5000));
  EXPECT_EQ(kerumo.close(), std::optional<DWORD>(0));
  expectSaved("1500\r\n1995\r\n0\r\n1\r\n0\r\n50\r\n10\r\n");  // warnings off
}

// Scanners, the indexer and cloud sync open a file just written without
// letting others delete or rename it, for a moment. Held for 1.5 s from the
// exit: the retries outlast it and the settings are saved. Held for 10 s:
// the box names the other program, and the old file is whole.
TEST_F(KerumoExe, SavesThroughABriefHoldAndNamesTheOtherProgramWhenTheHoldLasts) {
  const std::filesystem::path program = placeProgram();
  for (const int holdMilliseconds : {1500, 10000}) {
    SCOPED_TRACE(holdMilliseconds);
    const RunningKerumo kerumo = start(program);
    HWND meter = kerumo.meter();
    ASSERT_NE(meter, nullptr);
    // Closing the invalid handle, which is the process's own pseudo handle, does nothing.
    win32::UniqueKernelHandle hold(CreateFileW((folder / "kerumo.ini").c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(hold.get(), INVALID_HANDLE_VALUE);
    const auto heldSince = std::chrono::steady_clock::now();
    PostMessageW(meter, WM_CLOSE, 0, 0);
    const auto holdEnds = heldSince + std::chrono::milliseconds(holdMilliseconds);
    HWND box = nullptr;
    testing::pumpMessagesUntil([&] {
      if (std::chrono::steady_clock::now() >= holdEnds) hold.reset();
      box = kerumo.windowNow(L"#32770");
      return box != nullptr || !kerumo.running();
    }, holdMilliseconds + 5000);
    const bool brief = holdMilliseconds < 2000;
    if (brief) {
      EXPECT_EQ(box, nullptr) << win32::narrow(contentsOf(box).text);
    } else {
      ASSERT_NE(box, nullptr) << "no box while the file was held";
      EXPECT_NE(hold.get(), nullptr) << "the box came only after the hold";
      EXPECT_EQ(testing::textOf(box), L"ケルモエラー");
      const std::string text = win32::narrow(contentsOf(box).text);
      EXPECT_NE(text.find("ほかのプログラムがこのファイルを使用しています"), std::string::npos) << text;
      EXPECT_EQ(readFile(folder / "kerumo.ini"), Settings) << "the old file whole";
      hold.reset();
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    EXPECT_EQ(kerumo.waitForExit(), std::optional<DWORD>(0));
    expectSaved(brief ? SettingsAtExit : Settings);
  }
}

// A link planted as the temporary file is removed, never written through.
TEST_F(KerumoExe, ALinkPlantedAsTheTemporaryFileIsNotWrittenThrough) {
  testing::writeFile(folder / "victim.txt", "untouched");
  const std::filesystem::path link = folder / "kerumo.ini.new";
  if (!CreateSymbolicLinkW(link.c_str(), (folder / "victim.txt").c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)) {
    GTEST_SKIP() << "this wine or host cannot create a symbolic link (error " << GetLastError() << ")";
  }
  if (readFile(link) != "untouched") GTEST_SKIP() << "this wine's symbolic link does not lead to its target";
  const RunningKerumo kerumo = start(placeProgram());
  ASSERT_NE(kerumo.meter(), nullptr);
  EXPECT_EQ(kerumo.close(), std::optional<DWORD>(0));
  EXPECT_EQ(readFile(folder / "victim.txt"), "untouched");
  expectSaved(SettingsAtExit);
}

// A 64-bit program cannot load a 32-bit library: it says so once and runs
// on its built-in sources, its temperature from our pdh.dll's zones. (Built
// where the 32-bit compiler is at hand.)
#ifdef KERUMO_32BIT_STAND_INS
TEST_F(KerumoExe, SaysOnceItCannotLoad32BitLibrariesAndRunsOnItsOwnSources) {
  // Our pdh's collects count the ticks.
  const Run run = this->run(placeProgram(testing::hostPath(KERUMO_32BIT_STAND_INS)), "foreign-libraries",
                            "PdhCollectQueryData;", 3, nullptr);
  EXPECT_EQ(run.errors, "kerumo: resinfo.dll を読み込めませんでした（32 ビット版のライブラリは kerumo32.exe でのみ使用できます）。"
                        "計測値は Windows から取得します\n"
                        "kerumo: vbioport32.dll を読み込めませんでした（32 ビット版のライブラリは kerumo32.exe でのみ使用できます）。"
                        "CPU 温度は Windows の温度ゾーンから取得します\n");
  EXPECT_EQ(occurrences(run.calls, "GetResInfo") + occurrences(run.calls, "Port"), 0) << "a function of theirs ran";
}
#endif

}  // namespace
}  // namespace kerumo
