#include "platform/qt/x11_connection.h"

#include <string>

#include "platform/qt/xcb_reply.h"

namespace kerumo::qt {
namespace {

xcb_screen_t* screenNumber(xcb_connection_t* connection, int number) {
  auto it = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (; it.rem > 0; --number, xcb_screen_next(&it))
    if (number == 0) return it.data;
  return nullptr;
}

}  // namespace

std::unique_ptr<X11Connection> X11Connection::open(const QString& displayName) {
  int screen = 0;
  const QByteArray name = displayName.toLocal8Bit();
  xcb_connection_t* connection = xcb_connect(name.isEmpty() ? nullptr : name.constData(), &screen);
  if (xcb_connection_has_error(connection)) {
    xcb_disconnect(connection);
    return nullptr;
  }
  return std::unique_ptr<X11Connection>(new X11Connection(connection, screen));
}

X11Connection::X11Connection(xcb_connection_t* connection, int screen) : connection_(connection) {
  if (xcb_screen_t* s = screenNumber(connection, screen)) root_ = s->root;
  traySelection_ = internAtom(connection, "_NET_SYSTEM_TRAY_S" + std::to_string(screen));
  managerAtom_ = internAtom(connection, "MANAGER");
  // A tray manager announces itself to the root window's structure
  // listeners; the mask is this connection's own.
  const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, root_, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection);
}

X11Connection::~X11Connection() {
  notifier_.reset();
  xcb_disconnect(connection_);
}

bool X11Connection::hasTrayManager() {
  if (xcb_connection_has_error(connection_)) return false;
  auto cookie = xcb_get_selection_owner(connection_, traySelection_);
  const auto reply = xcbReply(xcb_get_selection_owner_reply(connection_, cookie, nullptr));
  readQueuedSoon();
  return reply && reply->owner != XCB_WINDOW_NONE;
}

// Waiting for a reply reads the socket on, and the events that came with it
// wait in xcb's queue, where the socket's notifier does not see them.
void X11Connection::readQueuedSoon() {
  if (notifier_) QMetaObject::invokeMethod(notifier_.get(), [this] { readEvents(); }, Qt::QueuedConnection);
}

void X11Connection::watch(std::function<void()> onTrayManager, std::function<void()> onBroken) {
  onTrayManager_ = std::move(onTrayManager);
  onBroken_ = std::move(onBroken);
  notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(); });
  readQueuedSoon();
}

void X11Connection::readEvents() {
  if (!notifier_->isEnabled()) return;
  bool announced = false;
  while (const auto event = xcbReply(xcb_poll_for_event(connection_))) {
    if ((event->response_type & 0x7F) == XCB_CLIENT_MESSAGE) {
      const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event.get());
      announced |= message->type == managerAtom_ && message->data.data32[1] == traySelection_;
    }
  }
  if (xcb_connection_has_error(connection_)) {
    notifier_->setEnabled(false);
    if (onBroken_) onBroken_();
    return;
  }
  if (announced && onTrayManager_) onTrayManager_();
}

}  // namespace kerumo::qt
