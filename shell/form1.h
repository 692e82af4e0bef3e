#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>

#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "monitor/sampling_cycle.h"
#include "platform/platform.h"
#include "shell/meter_display.h"
#include "shell/settings_file.h"

namespace kerumo {

// The meter window: start-up and shut-down, the tray icon and its menu, the
// mouse on the window, and the two display switches.
class Form1 : public FormEvents, public PlatformEvents {
 public:
  Form1(Platform& platform, std::filesystem::path settingsPath, std::ostream& diagnostics, LibraryLoader loader);
  ~Form1() override;

  // Start-up; false when the program must not come up (already reported).
  bool Form_Load();
  // Shut-down work: runs once however the program ends.
  void Form_Unload();

  void mnuAbout_Click();
  void noApp_Click();
  void frmTop_Click();
  void mnuCputmp_Click();
  void mnuKeikoku_Click();
  void mnuEnd_Click();
  void mnuab_Click();
  void Timer1_Timer();

  FormWindow& window() { return *window_; }
  int16_t topmostToggle() const { return topmostToggle_; }
  int16_t tempShown() const { return tempShown_; }
  const TrayIconRecord& trayIconRecord() const { return trayIconRecord_; }
  SamplingCycle& samplingCycle() { return cycle_; }
  // From the end of a successful load until the unload work begins: the
  // only time `Timer1` ticks.
  bool running() const { return loaded_ && !unloaded_; }

  // FormEvents
  void onMouseDown(const std::string& control, int button, int shift, double x, double y) override;
  void onMouseMove(const std::string& control, int button, int shift, double x, double y,
                   MoveOrigin origin) override;
  void onDoubleClick(const std::string& control) override;
  void onClick(const std::string&) override {}
  void onKeyPress(const std::string&, int&) override {}
  void onTimer(const std::string& timer) override;
  void onMenuCommand(const std::string& item) override;
  void onUnload() override;

  // PlatformEvents
  void onTerminationRequest() override;
  void onActivationRequest() override;
  void onScreensChanged() override;
  void onTrayIconAdded() override;
  void onDisplayLost() override;

 private:
  std::optional<SettingsRecord> loadSettings();
  void applyPosition(const SettingsRecord& settings);
  void moveToDefaultPosition();
  bool isOnSomeScreen() const;
  void fillTrayIconRecord();
  SettingsRecord currentSettings() const;
  void showMeterWindow();

  Platform& platform_;
  std::filesystem::path settingsPath_;
  std::ostream& diagnostics_;
  std::unique_ptr<FormWindow> window_;
  MeterDisplay display_;
  SamplingCycle cycle_;
  Form2 about_;
  Form3* warningSettings_ = nullptr;  // while the warning-settings dialog is open
  TrayIconRecord trayIconRecord_{};
  int16_t topmostToggle_ = 0;
  int16_t tempShown_ = 0;
  bool loaded_ = false;
  bool unloaded_ = false;
  bool trayFoundSaid_ = false;
};

}  // namespace kerumo
