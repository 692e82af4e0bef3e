#include "shell/form1.h"

#include <string>
#include <string_view>

#include "dialogs/form3.h"
#include "monitor/warning_settings.h"
#include "platform/tray_callback.h"
#include "shell/file_messages.h"
#include "shell/form1_controls.h"
#include "shell/form1_design.h"
#include "shell/module1.h"
#include "shell/window_placement.h"

namespace kerumo {
namespace {

constexpr uint32_t TrayIconId = 1;
constexpr uint32_t TrayFlagsMessageIconTip = 7;
constexpr const char* NoTrayLine = "kerumo: 通知領域が見つからないため、アイコンを表示せずに動作します\n";
constexpr const char* TrayFoundLine = "kerumo: 通知領域が使用可能になったため、アイコンを表示しました\n";

// A box's text as one line for standard error: its lines end in "。", so
// they simply run on; the line itself ends without one, as the others do.
std::string oneLine(std::string text) {
  std::erase(text, '\r');
  if (text.ends_with("。")) text.resize(text.size() - std::string_view("。").size());
  return text;
}

}  // namespace

Form1::Form1(Platform& platform, std::filesystem::path settingsPath, std::ostream& diagnostics,
             LibraryLoader loader)
    : platform_(platform),
      settingsPath_(std::move(settingsPath)),
      diagnostics_(diagnostics),
      window_(platform.createForm(form1Design(), *this)),
      display_(*window_),
      cycle_(platform, display_, std::move(loader)),
      about_(platform) {}

Form1::~Form1() = default;

bool Form1::Form_Load() {
  const auto settings = loadSettings();
  if (!settings) return false;
  applyPosition(*settings);
  topmostToggle_ = settings->topmostToggle;
  tempShown_ = settings->tempShown;
  WarnEnabled = settings->warnEnabled;
  MemThreshold = settings->memThreshold;
  ResThreshold = settings->resThreshold;
  fillTrayIconRecord();
  if (!platform_.notifyIcon(NotifyOperation::Add, trayIconRecord_)) {
    diagnostics_ << NoTrayLine;
  }
  window_->setVisible(false);
  window_->setMenuVisible(false);
  topmostToggle_ = topmostToggle_ == 0 ? 1 : 0;
  frmTop_Click();
  tempShown_ = tempShown_ == 0 ? 1 : 0;
  mnuCputmp_Click();
  loaded_ = true;
  // Only now: a tick behind the start-up error box would load the libraries
  // and write the chip's port for a program that never comes up.
  window_->setTimerEnabled(form1::Timer1, true);
  return true;
}

std::optional<SettingsRecord> Form1::loadSettings() {
  SettingsRead read = readSettingsFile(settingsPath_);
  if (auto* record = std::get_if<SettingsRecord>(&read)) return *record;
  if (std::holds_alternative<SettingsMissing>(read)) {
    // First run: the file is created at exit.
    const TwipsRect place = defaultPlacement(platform_.screenWorkAreas().front(), window_->width(),
                                             window_->height(), platform_.twipsPerPixelX());
    SettingsRecord defaults;
    defaults.top = place.top;
    defaults.left = place.left;
    return defaults;
  }
  const auto message = describeSettingsProblem(std::filesystem::absolute(settingsPath_),
                                               std::get<SettingsProblem>(read));
  // Also for the log of a session that starts Kerumo unattended.
  diagnostics_ << "kerumo: " << oneLine(message) << '\n';
  platform_.messageBox(message, MessageBoxStyle::OkOnly, ErrorTitle);
  return std::nullopt;
}

void Form1::applyPosition(const SettingsRecord& settings) {
  window_->setTop(settings.top);
  window_->setLeft(settings.left);
  if (!isOnSomeScreen()) moveToDefaultPosition();
}

void Form1::moveToDefaultPosition() {
  const TwipsRect place = defaultPlacement(platform_.screenWorkAreas().front(), window_->width(),
                                           window_->height(), platform_.twipsPerPixelX());
  window_->setTop(place.top);
  window_->setLeft(place.left);
}

bool Form1::isOnSomeScreen() const {
  const TwipsRect rect{window_->left(), window_->top(), window_->width(), window_->height()};
  return isReachable(rect, platform_.screenWorkAreas(), platform_.twipsPerPixelX());
}

void Form1::fillTrayIconRecord() {
  trayIconRecord_ = TrayIconRecord{window_.get(), TrayIconId, TrayFlagsMessageIconTip, TrayMessage::Callback,
                                   Picture::Icon, "ケルモ"};
}

void Form1::Form_Unload() {
  if (!running()) return;
  unloaded_ = true;
  // No tick, and so no warning box, behind the write-failure box or after.
  window_->setTimerEnabled(form1::Timer1, false);
  if (const auto failure = writeSettingsFile(settingsPath_, currentSettings())) {
    std::error_code unknown;
    const bool oldFileKept = std::filesystem::exists(settingsPath_, unknown) || unknown;
    platform_.messageBox(describeSettingsWriteFailure(std::filesystem::absolute(settingsPath_), *failure, oldFileKept),
                         MessageBoxStyle::OkOnly, ErrorTitle);
  }
  platform_.notifyIcon(NotifyOperation::Delete, trayIconRecord_);
}

SettingsRecord Form1::currentSettings() const {
  return SettingsRecord{window_->top(), window_->left(), topmostToggle_, tempShown_,
                        WarnEnabled,    MemThreshold,    ResThreshold};
}

void Form1::showMeterWindow() {
  window_->setMenuVisible(false);
  window_->setVisible(true);
  display_.announce();
}

void Form1::mnuAbout_Click() { showMeterWindow(); }

void Form1::noApp_Click() { window_->setVisible(false); }

void Form1::frmTop_Click() {
  if (topmostToggle_ == 1) {
    SetWindowOrder(*window_, 1);
    topmostToggle_ = 0;
    window_->setMenuItemChecked(form1::frmTop, true);
  } else {
    SetWindowOrder(*window_, 0);
    topmostToggle_ = 1;
    window_->setMenuItemChecked(form1::frmTop, false);
  }
  display_.announce();  // the window is shown by its new order
}

void Form1::mnuCputmp_Click() {
  const bool show = tempShown_ == 0;
  window_->setMenuItemChecked(form1::mnuCputmp, show);
  tempShown_ = show ? 1 : 0;
  for (const char* label : {form1::Label1, form1::Label5, form1::Label20}) window_->setControlVisible(label, show);
}

void Form1::mnuKeikoku_Click() {
  // The dialog has no task-bar button and the meter stands still while it
  // is open: asked for again, the open one comes to the front, not a second.
  if (warningSettings_ != nullptr) {
    warningSettings_->window().setForeground();
    return;
  }
  window_->setTimerEnabled(form1::Timer1, false);
  // The dialog's loop may see the session end: the timer then stays off.
  showForm3(platform_, [this] {
    if (running()) window_->setTimerEnabled(form1::Timer1, true);
  }, warningSettings_);
}

void Form1::mnuEnd_Click() {
  Form_Unload();
  platform_.quit(0);
}

void Form1::mnuab_Click() { about_.show(); }

void Form1::onMenuCommand(const std::string& item) {
  if (item == form1::mnuAbout) mnuAbout_Click();
  else if (item == form1::noApp) noApp_Click();
  else if (item == form1::frmTop) frmTop_Click();
  else if (item == form1::mnuCputmp) mnuCputmp_Click();
  else if (item == form1::mnuKeikoku) mnuKeikoku_Click();
  else if (item == form1::mnuEnd) mnuEnd_Click();
  else if (item == form1::mnuab) mnuab_Click();
}

void Form1::onMouseDown(const std::string& control, int button, int, double, double) {
  // Labels and the logo take the mouse over their own area and do nothing.
  if (!control.empty()) return;
  if (button & MouseButton::Left) {
    window_->beginSystemMove();
  } else {
    window_->popupMenu();
  }
}

// Also the tray icon's callback: the shell reports the icon's mouse message
// as an X coordinate in pixels, which arrives here in twips. The pointer's
// own moves have no effect, however wide the window is at the screen's scale.
void Form1::onMouseMove(const std::string& control, int, int, double x, double, MoveOrigin origin) {
  if (!control.empty() || origin == MoveOrigin::Pointer) return;
  const int32_t message = trayMessageAt(x, platform_.twipsPerPixelX());
  if (message == TrayMessage::LeftButtonDown) {
    showMeterWindow();
  } else if (message == TrayMessage::RightButtonDown) {
    window_->setForeground();
    platform_.processPendingEvents();
    window_->popupMenu();
  }
}

void Form1::onDoubleClick(const std::string& control) {
  if (control.empty() || control == form1::Image5) noApp_Click();
}

void Form1::onTimer(const std::string& timer) {
  if (timer == form1::Timer1) Timer1_Timer();
}

// Windows keeps a tick already queued when the timer is stopped.
void Form1::Timer1_Timer() {
  if (running()) cycle_.tick();
}

void Form1::onUnload() {
  Form_Unload();
  platform_.quit(0);
}

void Form1::onTerminationRequest() {
  Form_Unload();
  platform_.quit(0);
}

void Form1::onActivationRequest() { showMeterWindow(); }

void Form1::onScreensChanged() {
  if (!isOnSomeScreen()) moveToDefaultPosition();
}

void Form1::onTrayIconAdded() {
  if (trayFoundSaid_) return;
  trayFoundSaid_ = true;
  diagnostics_ << TrayFoundLine;
}

// The unload work without what needs a display: the file is written (once,
// as always), no box is shown and no icon deleted. One line says what
// became of the settings.
void Form1::onDisplayLost() {
  std::string line = DisplayLostLine;
  if (running()) {
    unloaded_ = true;
    if (const auto failure = writeSettingsFile(settingsPath_, currentSettings())) {
      line += "。設定を保存できませんでした。" + describeFileFailure(*failure);
    } else {
      line += "。設定を " + std::filesystem::absolute(settingsPath_).string() + " に保存しました";
    }
  }
  diagnostics_ << line << std::endl;
}

}  // namespace kerumo
