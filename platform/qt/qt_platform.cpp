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
#include <iostream>
#include <xcb/xcb.h>

#include "kerumo_version.h"
#include "platform/qt/qt_accessible.h"
#include "platform/qt/qt_convert.h"
#include "platform/screen_areas.h"
#include "platform/tray_callback.h"

namespace kerumo::qt {
namespace {

// The one value a signal handler may touch: the pipe's write end.
volatile std::sig_atomic_t signalPipe = -1;

extern "C" void wakeOnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const auto ignored = ::write(signalPipe, &byte, 1);
}

// Settings for Qt's platform plugin, made before it starts; a user's own
// choice in the environment always wins. Returns the X display Qt will use.
std::optional<QString> prepareWindowSystem(int argc, char** argv) {
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
  return x11DisplayToOpen(argc, argv);
}

constexpr int DisplayLostStatus = 1;

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

QtPlatform::QtPlatform(int& argc, char** argv, std::unique_ptr<X11Connection> x11)
    : x11Display_(prepareWindowSystem(argc, argv)), x11_(std::move(x11)), app_(argc, argv) {
  watchDisplay();
  tray_ = std::make_unique<QtTray>(x11_.get(), QtTray::Hooks{
      [this](const TrayIconRecord& record) -> QMenu* {
        QtForm* form = formOf(record.window);
        return form ? form->menu() : nullptr;
      },
      [this](const TrayIconRecord& record, int message) { sendTrayMessage(record, message); },
      [this] {
        if (events_) events_->onTrayIconAdded();
      }});
  if (x11_) x11_->watch([this] { tray_->onTrayManagerAnnounced(); }, [this] { displayLost(); });
  watchSession();
  QApplication::setQuitOnLastWindowClosed(false);
  installAccessibleFactory();
  // StatusNotifierItem hosts list the icon under the application's name
  // (Qt gives it as the item's title), and find its menu entry through the
  // desktop file. The display name follows the application's name: set on its
  // own, Qt would append it to every window title ("ケルモ警告 — ケルモ").
  QApplication::setApplicationName("ケルモ");
  QApplication::setApplicationVersion(KERUMO_VERSION);
  QGuiApplication::setDesktopFileName(KERUMO_APP_ID);
  signals_ = std::make_unique<SignalWaker>([this] {
    if (events_) events_->onTerminationRequest();
  });
}

// Two ways to hear that the X server went away: Qt's own connection, whose
// break Qt reports just before it exits, and Kerumo's own connection, read
// from the event loop.
void QtPlatform::watchDisplay() {
  if (!x11_ && x11Display_ && QGuiApplication::platformName() == "xcb") x11_ = X11Connection::open(*x11Display_);
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* qtConnection = x11 ? x11->connection() : nullptr;
  guard_.started([qtConnection] { return qtConnection && xcb_connection_has_error(qtConnection); },
                 [this] { displayLost(); });
}

QtPlatform::~QtPlatform() {
  tray_.reset();
  // Its notifier belongs to the event loop, which goes with the application.
  x11_.reset();
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
  // A warning comes from a tick, not from the user's hand: a window manager
  // that keeps new windows from taking the focus maps it below the active
  // window. Kept above all others (_NET_WM_STATE_ABOVE), it is seen.
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
  return MessageBoxOk;
}

void QtPlatform::sendTrayMessage(const TrayIconRecord& record, int message) {
  // Delivered like the window system's callback: the message number arrives
  // as the X in pixels of a posted move.
  if (QtForm* form = formOf(record.window)) {
    form->events().onMouseMove("", 0, 0, postedMoveTwips(message, TwipsPerPixel), 0, MoveOrigin::Posted);
  }
}

bool QtPlatform::notifyIcon(NotifyOperation operation, const TrayIconRecord& record) {
  switch (operation) {
    case NotifyOperation::Add: return tray_->add(record);
    case NotifyOperation::Delete: return tray_->remove();
    case NotifyOperation::Modify: break;
  }
  return false;
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
  const int status = QApplication::exec();
  events_ = nullptr;
  return status;
}

void QtPlatform::watchScreen(QScreen* screen) {
  QObject::connect(screen, &QScreen::availableGeometryChanged, &app_, [this] {
    if (events_) events_->onScreensChanged();
  });
}

// Screens and the session's end are heard for the whole run; they reach the
// program while its event loop runs.
void QtPlatform::watchSession() {
  const auto screensChanged = [this] {
    if (events_) events_->onScreensChanged();
  };
  // A screen that comes later gets the same watch as those there at start.
  QObject::connect(&app_, &QGuiApplication::screenAdded, &app_, [this, screensChanged](QScreen* screen) {
    watchScreen(screen);
    screensChanged();
  });
  QObject::connect(&app_, &QGuiApplication::screenRemoved, &app_, screensChanged);
  for (QScreen* screen : QGuiApplication::screens()) watchScreen(screen);
  // The session ending stops the loop; the program's unload work follows.
  QObject::connect(&app_, &QGuiApplication::commitDataRequest, &app_, [this] {
    if (events_) events_->onTerminationRequest();
  });
}

// Ends the process after the lost display's work: nothing Qt or the
// program's destructors would still do can reach the display.
void QtPlatform::displayLost() {
  if (events_) {
    events_->onDisplayLost();
  } else {
    std::cerr << DisplayLostLine << std::endl;
  }
  std::_Exit(DisplayLostStatus);
}

void QtPlatform::quit(int exitCode) { QCoreApplication::exit(exitCode); }

bool QtPlatform::claimSingleInstance(const std::string& key) {
  return instance_.claim(instanceName(key).toStdString(), [this] {
    if (events_) events_->onActivationRequest();
  });
}

}  // namespace kerumo::qt

namespace kerumo {

std::unique_ptr<Platform> createPlatform(int& argc, char** argv) {
  std::unique_ptr<qt::X11Connection> x11;
  if (const auto display = qt::prepareWindowSystem(argc, argv)) {
    // Without a display Qt's platform plugin would abort with a core dump.
    // The connection stays open: an X server whose last client leaves
    // resets itself, and Qt must not meet it resetting.
    x11 = qt::X11Connection::open(*display);
    if (!x11) {
      std::cerr << qt::cannotOpenDisplay(*display) << std::endl;
      return nullptr;
    }
  }
  return std::make_unique<qt::QtPlatform>(argc, argv, std::move(x11));
}

}  // namespace kerumo
