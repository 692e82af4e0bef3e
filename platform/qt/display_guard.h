#pragma once
#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kerumo::qt {

// The X display Qt is going to open ("-display NAME", else $DISPLAY, which
// may be empty), or nullopt when Qt will use another window system.
std::optional<QString> x11DisplayToOpen(int argc, char** argv);

// The line to say when `display` cannot be opened.
std::string cannotOpenDisplay(const QString& display);

// Stands between Qt's messages and standard error, so that a display that
// is missing or goes away ends Kerumo with one line of its own rather than
// Qt's abort or its silent exit. One per process.
class DisplayGuard {
 public:
  DisplayGuard();
  ~DisplayGuard();
  DisplayGuard(const DisplayGuard&) = delete;
  DisplayGuard& operator=(const DisplayGuard&) = delete;

  // Qt is up: what it said while starting goes out now. From here on,
  // Qt's messages about a broken display connection are held back, and the
  // first on the user-interface thread runs `onLost`, which must not return.
  void started(std::function<bool()> connectionBroken, std::function<void()> onLost);

 private:
  struct Held {
    QtMsgType type;
    QByteArray category;
    QString text;
  };
  static QtMessageHandler install(DisplayGuard* guard);
  static void sayWhyStartFailed();
  static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text);

  QtMessageHandler previous_ = nullptr;
  bool starting_ = true;
  std::vector<Held> held_;
  std::function<bool()> connectionBroken_;
  std::function<void()> onLost_;
};

}  // namespace kerumo::qt
