// The program with the two monitoring libraries beside it, as a user places
// them: our own stand-ins, built like the classic libraries for the
// program's width, or 32-bit ones beside the 64-bit program.
#include <gtest/gtest.h>

#include <objbase.h>

#include <sstream>

#include "platform/win32/win32_platform.h"
#include "running_kerumo.h"
#include "shell/form1_design.h"
#include "temp_dir.h"
#include "win32_test_support.h"
#include "tests/no_form_events.h"

namespace kerumo {
namespace {

using testing::readFile;
using testing::RunningKerumo;
using testing::TempDir;
using testing::writeFile;

// The meter at 2000, 1500 twips, temperature shown, warnings off.
const std::string Settings = "1500\r\n2000\r\n0\r\n1\r\n0\r\n10\r\n10\r\n";
// One tick with warnings off, as the stand-ins log it.
const std::string Tick = "GetResInfo;GetCpuStart;GetCpuUsage;MemoryLoad;MemoryLoad;OutputPort 661 39;InputPort 662;";

std::vector<std::string> variants() {
  std::vector<std::string> folders;
  std::istringstream list(KERUMO_PROGRAM_STAND_IN_VARIANTS);
  for (std::string folder; std::getline(list, folder, ',');) folders.push_back(folder);
  return folders;
}

// Sets an environment variable that programs started meanwhile inherit.
class InheritedVariable {
 public:
  InheritedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
    SetEnvironmentVariableW(name, value.c_str());
  }
  ~InheritedVariable() { SetEnvironmentVariableW(name_, nullptr); }
  InheritedVariable(const InheritedVariable&) = delete;
  InheritedVariable& operator=(const InheritedVariable&) = delete;

 private:
  const wchar_t* name_;
};

int occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

// What the program said on standard error, in lines ended by LF.
std::string saidOnStandardError(const std::filesystem::path& file) {
  std::string text = readFile(file);
  std::erase(text, '\r');
  return text;
}

// The program and the libraries of `libraries` together in `folder`.
std::filesystem::path placeProgram(const TempDir& folder, const std::filesystem::path& libraries) {
  const std::filesystem::path program = folder / testing::builtProgram().filename().string();
  std::filesystem::copy_file(testing::builtProgram(), program);
  for (const char* file : {"resinfo.dll", "vbioport32.dll"}) std::filesystem::copy_file(libraries / file, folder / file);
  return program;
}

// Waits until the stand-ins have logged `ticks` ticks, ten seconds at most.
bool waitForTicks(const std::filesystem::path& calls, int ticks) {
  for (int i = 0; i < 100; ++i) {
    if (occurrences(readFile(calls), "InputPort") >= ticks) return true;
    Sleep(100);
  }
  return false;
}

using NoEvents = testing::NoFormEvents;

// The meter as it must look with the stand-ins' figures: resources 63 %
// free, CPU 30 %, memory 40 % free, 52 degrees.
std::vector<BYTE> expectedMeter(const std::filesystem::path& picture) {
  win32::Win32Platform platform;
  NoEvents events;
  auto form = platform.createForm(form1Design(), events);
  form->setMenuVisible(false);
  form->setLeft(2000);
  form->setTop(1500);
  for (const auto& [label, text] : {std::pair{"Label3", "37"}, {"Label2", "60"}, {"Label16", "30"}, {"Label5", "52"}})
    form->setCaption(label, text);
  for (const auto& [bar, twips] : {std::pair{"Shape1", 600.0}, {"Shape3", 300.0}, {"Shape5", 370.0}})
    form->setWidth(bar, twips);
  form->setVisible(true);
  testing::pumpMessages(300);
  HWND window = dynamic_cast<win32::Win32Form&>(*form).handle();
  testing::saveWindowPicture(window, picture);
  return testing::clientPixels(window);
}

class KerumoWithLibraries : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    writeFile(folder / "kerumo.ini", Settings);
    testing::parkThePointer();  // no tool tip over the picture
  }
  TempDir folder;
};

TEST_P(KerumoWithLibraries, TicksCallThemInTheDesignsOrderAndShowTheirFigures) {
  const std::filesystem::path program =
      placeProgram(folder, testing::hostPath(std::string(KERUMO_STAND_INS) + "/" + GetParam()));
  const InheritedVariable callsFile(L"KERUMO_FAKE_CALLS_FILE", (folder / "calls.txt").wstring());
  const std::filesystem::path picture = testing::picturesDir() / ("win32-libraries-" + GetParam() + ".png");
  std::vector<BYTE> shown;
  {
    RunningKerumo kerumo(folder.path(), program, folder / "errors.txt");
    ASSERT_TRUE(kerumo.started());
    HWND meter = kerumo.window(L"KerumoForm1", true);
    ASSERT_NE(meter, nullptr);
    EXPECT_TRUE(waitForTicks(folder / "calls.txt", 2));
    Sleep(300);  // the repaint after the tick
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EXPECT_TRUE(testing::saveWindowPicture(meter, picture));
    shown = testing::clientPixels(meter);
    PostMessageW(meter, WM_CLOSE, 0, 0);
    EXPECT_EQ(kerumo.waitForExit(), std::optional<DWORD>(0));
  }
  const std::string calls = readFile(folder / "calls.txt");
  const int ticks = occurrences(calls, Tick);
  EXPECT_GE(ticks, 2);
  EXPECT_EQ(calls.size(), ticks * Tick.size()) << "nothing but whole ticks, in order: " << calls;

  const std::string errors = saidOnStandardError(folder / "errors.txt");
  EXPECT_EQ(occurrences(errors, "kerumo: 計測値は resinfo.dll から読み取ります\n"), 1) << errors;
  EXPECT_EQ(occurrences(errors, "kerumo: CPU 温度は vbioport32.dll で読み取ります\n"), 1) << errors;

  const std::filesystem::path expectedPicture = testing::picturesDir() / ("win32-libraries-" + GetParam() + "-expected.png");
  EXPECT_TRUE(shown == expectedMeter(expectedPicture)) << "labels and bars differ: compare " << picture << " with "
                                                       << expectedPicture;
  CoUninitialize();
}

INSTANTIATE_TEST_SUITE_P(Exports, KerumoWithLibraries, ::testing::ValuesIn(variants()),
                         [](const auto& info) { return info.param; });

// A 64-bit program cannot load a 32-bit library: it says so once and runs
// on its built-in sources. (Built where the 32-bit compiler is at hand.)
#ifdef KERUMO_32BIT_STAND_INS
TEST(KerumoWithForeignLibraries, TheProgramSaysOnceItCannotLoadThemAndRunsOnItsOwnSources) {
  const TempDir folder;
  writeFile(folder / "kerumo.ini", Settings);
  const std::filesystem::path program = placeProgram(folder, testing::hostPath(KERUMO_32BIT_STAND_INS));
  const InheritedVariable callsFile(L"KERUMO_FAKE_CALLS_FILE", (folder / "calls.txt").wstring());
  {
    RunningKerumo kerumo(folder.path(), program, folder / "errors.txt");
    HWND meter = kerumo.window(L"KerumoForm1", true);
    ASSERT_NE(meter, nullptr);
    Sleep(1600);  // three ticks
    PostMessageW(meter, WM_CLOSE, 0, 0);
    EXPECT_EQ(kerumo.waitForExit(), std::optional<DWORD>(0));
  }
  const std::string errors = saidOnStandardError(folder / "errors.txt");
  EXPECT_EQ(occurrences(errors, "kerumo: resinfo.dll を読み込めません（32 ビット版のライブラリは "
                                "kerumo32.exe で使えます）。Windows から計測します\n"),
            1)
      << errors;
  EXPECT_EQ(occurrences(errors, "kerumo: vbioport32.dll を読み込めません（32 ビット版のライブラリは "
                                "kerumo32.exe で使えます）。CPU 温度は「--」と表示します\n"),
            1)
      << errors;
  EXPECT_FALSE(std::filesystem::exists(folder / "calls.txt")) << "no function of theirs ran";
}
#endif

}  // namespace
}  // namespace kerumo
