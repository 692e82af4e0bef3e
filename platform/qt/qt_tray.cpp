#include "platform/qt/qt_tray.h"

#include <QMenu>

#include "platform/qt/qt_convert.h"
#include "platform/qt/x11_connection.h"
#include "platform/tray_callback.h"

namespace kerumo::qt {

// Both kinds of host announce themselves, so waiting needs no clock: an X
// tray manager with a MANAGER message on the root window (heard by the
// platform's X connection), a StatusNotifierItem host on the bus.
QtTray::QtTray(X11Connection* x11, Hooks hooks)
    : x11_(x11), hooks_(std::move(hooks)), statusNotifier_([this] { hostAppeared(); }) {}

QtTray::~QtTray() = default;

bool QtTray::hostReady() const { return (x11_ && x11_->hasTrayManager()) || statusNotifier_.hostReady(); }

bool QtTray::add(const TrayIconRecord& record) {
  if (icon_ || waiting_) return false;
  waiting_ = record;
  if (!hostReady()) {
    setWaiting(true);
    return false;
  }
  create();
  return true;
}

bool QtTray::remove() {
  const bool present = icon_ || waiting_;
  setWaiting(false);
  waiting_.reset();
  icon_.reset();
  return present;
}

void QtTray::onTrayManagerAnnounced() { hostAppeared(); }

void QtTray::hostAppeared() {
  if (!waiting_ || icon_) return;
  create();
  hooks_.addedLate();
}

void QtTray::setWaiting(bool waiting) { statusNotifier_.setWaiting(waiting); }

void QtTray::create() {
  setWaiting(false);
  const TrayIconRecord record = *waiting_;
  waiting_.reset();
  icon_ = std::make_unique<QSystemTrayIcon>(QIcon(toQPixmap(record.icon)));
  icon_->setToolTip(toQString(record.tip));
  // Hosts that draw the menu themselves (StatusNotifierItem) take it from here.
  if (QMenu* menu = hooks_.menuOf(record)) icon_->setContextMenu(menu);
  QObject::connect(icon_.get(), &QSystemTrayIcon::activated, [this, record](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger) hooks_.send(record, TrayMessage::LeftButtonDown);
    if (reason == QSystemTrayIcon::Context) {
      // An XEmbed tray has just popped the context menu up by itself; the
      // meter window decides what a right click does.
      if (icon_->contextMenu() && icon_->contextMenu()->isVisible()) icon_->contextMenu()->hide();
      hooks_.send(record, TrayMessage::RightButtonDown);
    }
  });
  icon_->show();
}

}  // namespace kerumo::qt
