#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>

#include "platform/fake/fake_platform.h"
#include "shell/form1.h"
#include "shell/form1_controls.h"
#include "monitor/warning_settings.h"
#include "tests/scripted_libraries.h"
#include "tests/temp_dir.h"

namespace kerumo::testing {

// A meter window on the fake platform with its settings file in a fresh
// directory.
struct Form1Session {
  Form1Session() {
    platform.onUnknownName = [](const std::string& message) { ADD_FAILURE() << message; };
    WarnEnabled = 0;
    MemThreshold = 10;
    ResThreshold = 10;
  }

  std::filesystem::path settingsPath() const { return dir / "kerumo.ini"; }
  void writeSettings(const std::string& contents) { writeFile(settingsPath(), contents); }

  Form1& form1() {
    if (!form1_) form1_ = std::make_unique<Form1>(platform, settingsPath(), diagnostics, scriptedLoader(figures, &loads));
    return *form1_;
  }
  FakeForm& window() { return *platform.form(form1::Name); }

  // A normal start from the given file contents.
  void startWith(const std::string& contents) {
    writeSettings(contents);
    ASSERT_TRUE(form1().Form_Load());
  }

  // The platform calls `act` makes.
  std::vector<std::string> callsDuring(const std::function<void()>& act) {
    const size_t from = platform.calls.size();
    act();
    return platform.callsSince(from);
  }

  TempDir dir;
  FakePlatform platform;
  std::ostringstream diagnostics;
  ScriptedFigures figures;
  int loads = 0;

 private:
  std::unique_ptr<Form1> form1_;
};

class Form1Test : public ::testing::Test, public Form1Session {};

inline const char* const StandardSettings = "600\r\n900\r\n0\r\n1\r\n1\r\n10\r\n10\r\n";

}  // namespace kerumo::testing
