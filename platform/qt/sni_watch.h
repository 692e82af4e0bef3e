#pragma once
#include <QDBusServiceWatcher>
#include <QTimer>
#include <functional>

namespace kerumo::qt {

// Watches the session bus for a StatusNotifierItem host: the watcher
// service with a host registered to it.
class StatusNotifierWatch {
 public:
  explicit StatusNotifierWatch(std::function<void()> onHostReady);
  // Asks the bus now; blocks at most a moment when the watcher hangs.
  bool hostReady() const;
  // While waiting, `onHostReady` is called when a host appears; a watcher
  // without a host is asked again every second.
  void setWaiting(bool waiting);

 private:
  void askAsync();

  std::function<void()> onHostReady_;
  QDBusServiceWatcher services_;
  QTimer retry_;
  bool waiting_ = false;
};

}  // namespace kerumo::qt
