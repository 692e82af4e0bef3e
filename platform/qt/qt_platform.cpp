#include "platform/qt/qt_platform.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDesktopServices>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>
#include <csignal>
#include <cstdlib>

#include "platform/qt/qt_convert.h"
#include "platform/screen_areas.h"

namespace kerumo::qt {
namespace {

// The one value a signal handler may touch: the pipe's write end.
volatile std::sig_atomic_t signalPipe = -1;

extern "C" void wakeOnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const auto ignored = ::write(signalPipe, &byte, 1);
}

// Settings for Qt's platform plugin, made before it starts; a user's own
// choice in the environment always wins.
int& prepareWindowSystem(int& argc) {
  // Placing and stacking our own window needs X11; under Wayland the xcb
  // platform runs us through XWayland.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsSet("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsSet("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "xcb");
  }
  // The meter's pixels are a few kilobytes: sent over the X connection they
  // cost less than a shared-memory image, whose every repaint waits for the
  // server to finish with the last one.
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
  return argc;
}

QString instanceName(const std::string& key) {
  const QByteArray hash = QCryptographicHash::hash(QByteArray::fromStdString(key), QCryptographicHash::Sha1);
  return QString("kerumo-%1-%2").arg(QString::number(::getuid()), QString::fromLatin1(hash.toHex().left(16)));
}

}  // namespace

SignalWaker::SignalWaker(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds_) != 0) return;
  signalPipe = fds_[0];
  notifier_ = std::make_unique<QSocketNotifier>(fds_[1], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
    char buffer[16];
    [[maybe_unused]] const auto ignored = ::read(fds_[1], buffer, sizeof buffer);
    onSignal_();
  });
  struct sigaction action {};
  action.sa_handler = wakeOnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int sig : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(sig, &action, nullptr);
}

SignalWaker::~SignalWaker() {
  for (const int sig : {SIGTERM, SIGHUP, SIGINT}) std::signal(sig, SIG_DFL);
  notifier_.reset();
  signalPipe = -1;
  for (const int fd : fds_)
    if (fd >= 0) ::close(fd);
}

QtPlatform::QtPlatform(int& argc, char** argv) : app_(prepareWindowSystem(argc), argv) {
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setApplicationName("kerumo");
  signals_ = std::make_unique<SignalWaker>([this] {
    if (events_) events_->onTerminationRequest();
  });
}

QtPlatform::~QtPlatform() {
  tray_.reset();
}

std::unique_ptr<FormWindow> QtPlatform::createForm(const FormDesign& design, FormEvents& events) {
  auto form = std::make_unique<QtForm>(design, events);
  forms_[form.get()] = form.get();
  QObject::connect(form->frame(), &QObject::destroyed, [this, key = form.get()] { forms_.erase(key); });
  return form;
}

QtForm* QtPlatform::formOf(const FormWindow* window) const {
  const auto it = forms_.find(window);
  return it == forms_.end() ? nullptr : it->second;
}

int QtPlatform::messageBox(const std::string& prompt, uint32_t, const std::string& title) {
  QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(prompt).replace('\r', '\n'), QMessageBox::Ok);
  box.setObjectName("messageBox");
  box.exec();
  return MessageBoxOk;
}

void QtPlatform::sendTrayMessage(const TrayIconRecord& record, int message) {
  // The same decoding as the window system's callback: the message number
  // arrives as an X coordinate in pixels.
  if (QtForm* form = formOf(record.window)) form->events().onMouseMove("", 0, 0, message * TwipsPerPixel, 0);
}

bool QtPlatform::notifyIcon(NotifyOperation operation, const TrayIconRecord& record) {
  if (operation == NotifyOperation::Delete) {
    const bool present = tray_ != nullptr;
    tray_.reset();
    return present;
  }
  if (operation != NotifyOperation::Add || tray_ || !QSystemTrayIcon::isSystemTrayAvailable()) return false;
  tray_ = std::make_unique<QSystemTrayIcon>(QIcon(toQPixmap(record.icon)));
  tray_->setToolTip(toQString(record.tip));
  // Hosts that draw the menu themselves (StatusNotifierItem) take it from here.
  QtForm* form = formOf(record.window);
  if (form && form->menu()) tray_->setContextMenu(form->menu());
  QObject::connect(tray_.get(), &QSystemTrayIcon::activated, [this, record](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger) sendTrayMessage(record, TrayMessage::LeftButtonDown);
    if (reason == QSystemTrayIcon::Context) {
      // An XEmbed tray has just popped the context menu up by itself; the
      // meter window decides what a right click does.
      if (tray_->contextMenu() && tray_->contextMenu()->isVisible()) tray_->contextMenu()->hide();
      sendTrayMessage(record, TrayMessage::RightButtonDown);
    }
  });
  tray_->show();
  return true;
}

void QtPlatform::shellOpen(const std::string& target) { QDesktopServices::openUrl(QUrl(toQString(target))); }

std::vector<TwipsRect> QtPlatform::screenWorkAreas() const {
  std::vector<ScreenArea> screens;
  for (QScreen* screen : QGuiApplication::screens())
    screens.push_back({toPixelBox(screen->availableGeometry()), screen == QGuiApplication::primaryScreen()});
  return workAreasPrimaryFirst(screens, TwipsPerPixel);
}

void QtPlatform::processPendingEvents() { QCoreApplication::processEvents(); }

int QtPlatform::runEventLoop(PlatformEvents& events) {
  events_ = &events;
  const auto screensChanged = [&events] { events.onScreensChanged(); };
  QObject::connect(&app_, &QGuiApplication::screenAdded, &app_, screensChanged);
  QObject::connect(&app_, &QGuiApplication::screenRemoved, &app_, screensChanged);
  for (QScreen* screen : QGuiApplication::screens())
    QObject::connect(screen, &QScreen::availableGeometryChanged, &app_, screensChanged);
  // The session ending stops the loop; the program's unload work follows.
  QObject::connect(&app_, &QGuiApplication::commitDataRequest, &app_, [&events] { events.onTerminationRequest(); });
  const int status = QApplication::exec();
  events_ = nullptr;
  return status;
}

void QtPlatform::quit(int exitCode) { QCoreApplication::exit(exitCode); }

bool QtPlatform::claimSingleInstance(const std::string& key) {
  return instance_.claim(instanceName(key).toStdString(), [this] {
    if (events_) events_->onActivationRequest();
  });
}

}  // namespace kerumo::qt

namespace kerumo {

std::unique_ptr<Platform> createPlatform(int& argc, char** argv) { return std::make_unique<qt::QtPlatform>(argc, argv); }

}  // namespace kerumo
