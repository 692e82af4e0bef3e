#pragma once
#include <QDBusServiceWatcher>
#include <QObject>
#include <functional>

namespace kerumo::qt {

// Watches the session bus for a StatusNotifierItem host: the watcher
// service with a host registered to it. Waiting costs nothing: the bus
// announces the watcher's name (NameOwnerChanged) and the watcher a host
// (StatusNotifierHostRegistered).
class StatusNotifierWatch : public QObject {
  Q_OBJECT

 public:
  explicit StatusNotifierWatch(std::function<void()> onHostReady);
  // Asks the bus now; blocks at most a moment when the watcher hangs.
  bool hostReady() const;
  // While waiting, `onHostReady` is called when a host appears.
  void setWaiting(bool waiting);

 private slots:
  void hostRegistered();

 private:
  void askAsync();

  std::function<void()> onHostReady_;
  QDBusServiceWatcher services_;
  bool waiting_ = false;
};

}  // namespace kerumo::qt
