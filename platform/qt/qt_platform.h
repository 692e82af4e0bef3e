#pragma once
#include <QApplication>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <map>
#include <memory>

#include "platform/platform.h"
#include "platform/qt/display_guard.h"
#include "platform/qt/instance_channel.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_tray.h"
#include "platform/qt/x11_connection.h"

namespace kerumo::qt {

// Turns SIGTERM, SIGHUP and SIGINT into a call on the event loop: the
// handler only writes a byte to a pipe, the loop does the work.
class SignalWaker {
 public:
  explicit SignalWaker(std::function<void()> onSignal);
  ~SignalWaker();
  SignalWaker(const SignalWaker&) = delete;
  SignalWaker& operator=(const SignalWaker&) = delete;

 private:
  int fds_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void()> onSignal_;
};

class QtPlatform : public Platform {
 public:
  // `x11` is Kerumo's own connection to the X display, when already open.
  QtPlatform(int& argc, char** argv, std::unique_ptr<X11Connection> x11 = nullptr);
  ~QtPlatform() override;

  std::unique_ptr<FormWindow> createForm(const FormDesign& design, FormEvents& events) override;
  int messageBox(const std::string& prompt, uint32_t style, const std::string& title) override;
  bool notifyIcon(NotifyOperation operation, const TrayIconRecord& record) override;
  void shellOpen(const std::string& target) override;
  double twipsPerPixelX() const override { return TwipsPerPixel; }
  double twipsPerPixelY() const override { return TwipsPerPixel; }
  std::vector<TwipsRect> screenWorkAreas() const override;
  void processPendingEvents() override;
  int runEventLoop(PlatformEvents& events) override;
  void quit(int exitCode) override;
  bool claimSingleInstance(const std::string& key) override;

  QSystemTrayIcon* trayIcon() const { return tray_->icon(); }

 private:
  QtForm* formOf(const FormWindow* window) const;
  void sendTrayMessage(const TrayIconRecord& record, int message);
  void watchScreen(QScreen* screen);
  void watchSession();
  void watchDisplay();
  [[noreturn]] void displayLost();

  // First, to hear what Qt says from its first word on.
  DisplayGuard guard_;
  std::optional<QString> x11Display_;
  std::unique_ptr<X11Connection> x11_;
  QApplication app_;
  std::map<const FormWindow*, QtForm*> forms_;
  std::unique_ptr<QtTray> tray_;
  InstanceChannel instance_;
  std::unique_ptr<SignalWaker> signals_;
  PlatformEvents* events_ = nullptr;
};

}  // namespace kerumo::qt
