#pragma once
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "monitor/figures_display.h"
#include "monitor/sampling_cycle.h"
#include "monitor/warning_settings.h"
#include "platform/fake/fake_platform.h"
#include "tests/scripted_libraries.h"

namespace kerumo::testing {

// Keeps what the cycle showed, tick by tick; with `log` set, also notes each
// call there beside the libraries' calls.
class RecordingDisplay : public FiguresDisplay {
 public:
  void showUsage(const UsageFigures& figures) override {
    usage.push_back(figures);
    if (log) log->push_back("showUsage");
  }
  void showTemperature(std::optional<int16_t> reading) override {
    temperatures.push_back(reading);
    if (log) log->push_back("showTemperature");
  }

  std::vector<UsageFigures> usage;
  std::vector<std::optional<int16_t>> temperatures;
  std::vector<std::string>* log = nullptr;
};

// The sampling cycle alone, with scripted libraries, a recording display and
// the fake platform for its warning boxes.
class CycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WarnEnabled = 0;
    MemThreshold = 10;
    ResThreshold = 10;
  }
  void tick() { cycle.tick(); }

  FakePlatform platform;
  ScriptedFigures figures;
  RecordingDisplay display;
  int loads = 0;
  SamplingCycle cycle{platform, display, scriptedLoader(figures, &loads)};
};

}  // namespace kerumo::testing
