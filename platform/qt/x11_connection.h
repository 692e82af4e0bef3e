#pragma once
#include <QSocketNotifier>
#include <QString>
#include <functional>
#include <memory>

struct xcb_connection_t;

namespace kerumo::qt {

// Kerumo's own small connection to the X server, beside Qt's: it hears a
// tray manager announce itself and notices the server going away, without
// touching the event masks Qt keeps on its own connection.
class X11Connection {
 public:
  // Connects to `displayName`, or to $DISPLAY when it is empty; nullptr when
  // no X server answers there.
  static std::unique_ptr<X11Connection> open(const QString& displayName);
  ~X11Connection();
  X11Connection(const X11Connection&) = delete;
  X11Connection& operator=(const X11Connection&) = delete;

  // Whether an XEmbed tray manager owns this screen's tray selection now.
  bool hasTrayManager();
  // Calls `onTrayManager` when a tray manager announces itself and
  // `onBroken` once when the connection breaks, from the event loop.
  void watch(std::function<void()> onTrayManager, std::function<void()> onBroken);

 private:
  X11Connection(xcb_connection_t* connection, int screen);
  void readEvents();
  void readQueuedSoon();

  xcb_connection_t* connection_;
  uint32_t root_ = 0;
  uint32_t traySelection_ = 0;
  uint32_t managerAtom_ = 0;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void()> onTrayManager_;
  std::function<void()> onBroken_;
};

}  // namespace kerumo::qt
