#pragma once
#include <QSystemTrayIcon>
#include <functional>
#include <memory>
#include <optional>

#include "platform/platform.h"
#include "platform/qt/sni_watch.h"

class QMenu;

namespace kerumo::qt {

class X11Connection;

// The tray icon, created only once a tray host is there. Qt settles for one
// tray protocol (StatusNotifierItem or XEmbed) at its first tray question
// and keeps it for the process, so no question is asked before a host of
// either kind is ready; after that, Qt itself follows a host that restarts.
class QtTray {
 public:
  struct Hooks {
    // The menu a host that draws its own menu shows for the icon.
    std::function<QMenu*(const TrayIconRecord&)> menuOf;
    // Hands a mouse message on the icon to the record's window.
    std::function<void(const TrayIconRecord&, int message)> send;
    // An icon that had to wait for a host is shown now.
    std::function<void()> addedLate;
  };

  QtTray(X11Connection* x11, Hooks hooks);
  ~QtTray();

  // Shows the icon now if a host is there (true), else keeps it to show
  // when one comes (false).
  bool add(const TrayIconRecord& record);
  // Removes the icon, shown or waiting; false when there was none.
  bool remove();
  QSystemTrayIcon* icon() const { return icon_.get(); }

  // An X tray manager announced itself.
  void onTrayManagerAnnounced();

 private:
  bool hostReady() const;
  void hostAppeared();
  void create();
  void setWaiting(bool waiting);

  X11Connection* x11_;
  Hooks hooks_;
  StatusNotifierWatch statusNotifier_;
  std::optional<TrayIconRecord> waiting_;
  std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace kerumo::qt
