// The program with the two monitoring libraries beside it, as a user places
// them: our own stand-ins, built like the classic libraries for the
// program's width, or 32-bit ones beside the 64-bit program. Without the
// port library, the temperature comes from the thermal zones: wine's own
// pdh.dll has none, our stand-in two.
#include <gtest/gtest.h>

#include <objbase.h>

#include <initializer_list>
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

// The program and the `files` of `libraries` together in `folder`.
std::filesystem::path placeProgram(const TempDir& folder, const std::filesystem::path& libraries,
                                   std::initializer_list<const char*> files = {"resinfo.dll", "vbioport32.dll"}) {
  const std::filesystem::path program = folder / testing::builtProgram().filename().string();
  std::filesystem::copy_file(testing::builtProgram(), program);
  for (const char* file : files) std::filesystem::copy_file(libraries / file, folder / file);
  return program;
}

// Our pdh.dll beside the program, loaded rather than wine's own.
void placeStandInPdh(const TempDir& folder) {
  std::filesystem::copy_file(testing::hostPath(KERUMO_STAND_IN_PDH) / "pdh.dll", folder / "pdh.dll");
}

// Waits until the stand-ins have logged `call` `ticks` times, ten seconds at most.
bool waitForTicks(const std::filesystem::path& calls, int ticks, const std::string& call = "InputPort") {
  for (int i = 0; i < 100; ++i) {
    if (occurrences(readFile(calls), call) >= ticks) return true;
    Sleep(100);
  }
  return false;
}

using NoEvents = testing::NoFormEvents;

// The meter as it must look with the resource stand-in's figures: resources
// 63 % free, CPU 30 %, memory 40 % free; and `temperature`.
std::vector<BYTE> expectedMeter(const std::filesystem::path& picture, const char* temperature = "52") {
  win32::Win32Platform platform;
  NoEvents events;
  auto form = platform.createForm(form1Design(), events);
  form->setMenuVisible(false);
  form->setLeft(2000);
  form->setTop(1500);
  for (const auto& [label, text] : {std::pair{"Label3", "37"}, {"Label2", "60"}, {"Label16", "30"}, {"Label5", temperature}})
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
  placeStandInPdh(folder);  // the port library still wins
  const InheritedVariable callsFile(L"KERUMO_FAKE_CALLS_FILE", (folder / "calls.txt").wstring());
  const InheritedVariable pdhOverride(L"WINEDLLOVERRIDES", L"pdh=n");
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

// Only the resource library beside the program: the temperature register
// is answered from the thermal zones of whatever pdh.dll is loaded.
class KerumoOnThermalZones : public ::testing::Test {
 protected:
  struct Run {
    std::string calls;
    std::string errors;
    bool boxShown = false;
    bool pictureMatches = false;
  };

  // Runs the program for three ticks and compares the meter with one
  // showing `temperature`.
  Run run(const std::string& name, const char* temperature) {
    writeFile(folder / "kerumo.ini", Settings);
    testing::parkThePointer();
    const std::filesystem::path program =
        placeProgram(folder, testing::hostPath(std::string(KERUMO_STAND_INS) + "/stand_ins"), {"resinfo.dll"});
    const InheritedVariable callsFile(L"KERUMO_FAKE_CALLS_FILE", (folder / "calls.txt").wstring());
    const InheritedVariable pdhOverride(L"WINEDLLOVERRIDES", L"pdh=n");
    const std::filesystem::path picture = testing::picturesDir() / ("win32-thermal-zones-" + name + ".png");
    Run result;
    std::vector<BYTE> shown;
    {
      RunningKerumo kerumo(folder.path(), program, folder / "errors.txt");
      HWND meter = kerumo.window(L"KerumoForm1", true);
      if (meter == nullptr) return result;
      EXPECT_TRUE(waitForTicks(folder / "calls.txt", 3, "GetResInfo"));
      Sleep(300);  // the repaint after the tick
      result.boxShown = kerumo.visibleWindow(L"#32770") != nullptr;
      CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
      EXPECT_TRUE(testing::saveWindowPicture(meter, picture));
      shown = testing::clientPixels(meter);
      PostMessageW(meter, WM_CLOSE, 0, 0);
      EXPECT_EQ(kerumo.waitForExit(), std::optional<DWORD>(0));
    }
    const std::filesystem::path expected = testing::picturesDir() / ("win32-thermal-zones-" + name + "-expected.png");
    result.pictureMatches = shown == expectedMeter(expected, temperature);
    CoUninitialize();
    result.calls = readFile(folder / "calls.txt");
    result.errors = saidOnStandardError(folder / "errors.txt");
    return result;
  }

  TempDir folder;
};

TEST_F(KerumoOnThermalZones, WineHasNoneSoTheMeterShowsDashesAndStandardErrorSaysSoOnce) {
  const Run run = this->run("none", "--");
  EXPECT_TRUE(run.pictureMatches) << "see win32-thermal-zones-none.png";
  EXPECT_FALSE(run.boxShown) << "no zone is no error of the user's";
  EXPECT_EQ(occurrences(run.errors, "と表示します"), 1) << run.errors;
  EXPECT_EQ(occurrences(run.errors, "kerumo: この PC では Windows が温度ゾーン（Thermal Zone Information）を公開していない"
                                    "ため、温度は「--」と表示します\n"),
            1)
      << run.errors;
  EXPECT_EQ(occurrences(run.errors, "）。温度は Windows の温度ゾーンから読み取ります\n"), 1)
      << run.errors;
}

TEST_F(KerumoOnThermalZones, TheHottestZoneOfOurPdhIsShownInWholeDegrees) {
  placeStandInPdh(folder);
  const Run run = this->run("two", "47");
  EXPECT_TRUE(run.pictureMatches) << "see win32-thermal-zones-two.png";
  EXPECT_FALSE(run.boxShown);
  EXPECT_EQ(occurrences(run.errors, "と表示します"), 0) << run.errors;
  EXPECT_EQ(occurrences(run.calls, "PdhOpenQueryW;"), 1) << "one query for the whole run: " << run.calls;
  EXPECT_EQ(occurrences(run.calls, "PdhAddEnglishCounterW High Precision Temperature;"), 1) << run.calls;
  EXPECT_EQ(occurrences(run.calls, "PdhAddEnglishCounterW"), 1) << "the finer counter is there: " << run.calls;
  const int ticks = occurrences(run.calls, "GetResInfo;");
  EXPECT_GE(ticks, 3);
  EXPECT_EQ(occurrences(run.calls, "PdhCollectQueryData;"), ticks) << "one collect a tick: " << run.calls;
  EXPECT_EQ(occurrences(run.calls, "PdhGetFormattedCounterArrayW;"), ticks + 1)
      << "the buffer's size is asked once: " << run.calls;
}

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
                                "kerumo32.exe で使えます）。温度は Windows の温度ゾーンから読み取ります\n"),
            1)
      << errors;
  EXPECT_FALSE(std::filesystem::exists(folder / "calls.txt")) << "no function of theirs ran";
}
#endif

}  // namespace
}  // namespace kerumo
