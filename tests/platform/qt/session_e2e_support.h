#pragma once
// Kerumo and the tools around it as separate processes on an X server of
// the test's own, for the end-to-end tests of a session's edges.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPoint>
#include <QRect>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace kerumo::testing {

// Generous: a loaded two-core machine running sanitized builds is slow; a
// hang still fails.
constexpr int Patience = 20000;

inline bool waitUntil(const std::function<bool()>& done, int milliseconds = Patience) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > milliseconds) return false;
    QThread::msleep(100);
  }
  return true;
}

// What `find` gives once it gives anything, or empty when it did not in time.
inline QString firstFound(const std::function<QString()>& find) {
  QString found;
  waitUntil([&] { return !(found = find()).isEmpty(); });
  return found;
}

inline bool has(const char* program) { return !QStandardPaths::findExecutable(program).isEmpty(); }

// What tools on `display` run with.
inline QProcessEnvironment onDisplay(const QString& display) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("DISPLAY", display);
  return env;
}

// A tool run with `env`; its standard output.
inline QString run(const QProcessEnvironment& env, const QString& program, const QStringList& arguments) {
  QProcess tool;
  tool.setProcessEnvironment(env);
  tool.start(program, arguments);
  tool.waitForFinished(Patience);
  return QString::fromUtf8(tool.readAllStandardOutput());
}

inline QString xdotool(const QProcessEnvironment& env, const QStringList& arguments) {
  return run(env, "xdotool", arguments);
}

// A process started in the background and ended with the test.
class Background {
 public:
  Background(const QString& program, const QStringList& arguments, const QProcessEnvironment& env,
             const QString& dir = {}, QProcess::ProcessChannelMode channels = QProcess::SeparateChannels) {
    process_.setProcessEnvironment(env);
    process_.setWorkingDirectory(dir);
    process_.setProcessChannelMode(channels);
    process_.start(program, arguments);
    process_.waitForStarted();
  }
  ~Background() { stop(); }
  Background(const Background&) = delete;
  Background& operator=(const Background&) = delete;

  void stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished();
  }
  QString output() {
    out_ += QString::fromUtf8(process_.readAllStandardOutput());
    return out_;
  }
  QProcess& process() { return process_; }
  // Waits until the process has written `text` or has ended.
  bool waitForOutput(const QString& text) {
    waitUntil([&] {
      process_.waitForReadyRead(100);
      return output().contains(text) || process_.state() != QProcess::Running;
    });
    return output().contains(text);
  }

 private:
  QProcess process_;
  QString out_;
};

// A server of the test's own that names itself on its first line of output;
// the name is empty when it did not start.
struct PrivateServer : Background {
  using Background::Background;
  const QString name = waitForOutput("\n") ? output().trimmed() : QString();
};

// An Xvfb that picks a free display itself and names it only once it takes
// clients; it does not reset between Kerumo runs.
struct PrivateXServer : PrivateServer {
  explicit PrivateXServer(const QString& screen = "1280x1024x24")
      : PrivateServer("Xvfb", {"-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"},
                      QProcessEnvironment::systemEnvironment()) {}
  bool running() { return !name.isEmpty() && process().state() == QProcess::Running; }
  QString display() const { return ":" + name; }
};

// A session bus; `env` is what the services it starts on demand run with.
struct PrivateSessionBus : PrivateServer {
  explicit PrivateSessionBus(const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
      : PrivateServer("dbus-daemon", {"--session", "--nofork", "--print-address=1"}, env) {}
};

// Kerumo started in `dir` on `display`, away from any real session bus; its
// output() takes in what it says on standard error. `session` adds to its
// environment or, with an empty value, takes away. KERUMO_PROGRAM runs
// another build of it, such as the Release one.
class Kerumo : public Background {
 public:
  Kerumo(const std::filesystem::path& dir, const QString& display, const QString& bus = "unix:path=/nonexistent",
         const QProcessEnvironment& session = {})
      : Background(program(), {}, environment(dir, display, bus, session), QString::fromStdString(dir.string()),
                   QProcess::MergedChannels) {}

  qint64 pid() { return process().processId(); }
  // For a failure message: whether it still runs, and what it said.
  std::string describe() {
    const QProcess& p = process();
    const std::string state = p.state() == QProcess::Running ? "running"
                              : "ended with " + std::to_string(p.exitCode()) +
                                    (p.exitStatus() == QProcess::CrashExit ? " (crashed)" : "");
    return state + " (" + p.errorString().toStdString() + "); said: " + output().toStdString();
  }
  // The exit status, or -1 when it did not end by itself in time.
  int exitStatus() {
    if (!process().waitForFinished(Patience) || process().exitStatus() != QProcess::NormalExit) return -1;
    output();
    return process().exitCode();
  }
  // Ends it as a session's end does: the exit status, as exitStatus() gives it.
  int terminate() {
    process().terminate();
    return exitStatus();
  }
  // All it says until it falls quiet.
  QString quietOutput() {
    while (process().waitForReadyRead(500)) output();
    return output();
  }
  // Peak resident memory so far, in kilobytes.
  long peakMemoryKb() {
    std::ifstream status("/proc/" + std::to_string(pid()) + "/status");
    std::string line;
    while (std::getline(status, line))
      if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return 0;
  }

 private:
  static QString program() {
    const QString other = qEnvironmentVariable("KERUMO_PROGRAM");
    return other.isEmpty() ? QString(KERUMO_EXE) : other;
  }
  static QProcessEnvironment environment(const std::filesystem::path& dir, const QString& display, const QString& bus,
                                         const QProcessEnvironment& session) {
    const std::filesystem::path runtime = dir / "runtime";
    std::filesystem::create_directory(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    QProcessEnvironment env = onDisplay(display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DBUS_SESSION_BUS_ADDRESS", bus);
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));
    env.remove("WAYLAND_DISPLAY");
    for (const QString& name : session.keys()) {
      if (session.value(name).isEmpty()) env.remove(name);
      else env.insert(name, session.value(name));
    }
    return env;
  }
};

// Whether process `pid` has `file` open.
inline bool holds(qint64 pid, const std::string& file) {
  std::error_code ignored;
  for (const auto& fd : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ignored))
    if (std::filesystem::read_symlink(fd.path(), ignored) == file) return true;
  return false;
}

inline QStringList windowsOf(const QProcessEnvironment& env, qint64 pid, const QStringList& more = {}) {
  return xdotool(env, QStringList{"search", "--all", "--pid", QString::number(pid)} + more).split('\n', Qt::SkipEmptyParts);
}

// Any process's windows on the screen that match `what`.
inline QStringList visibleWindows(const QProcessEnvironment& env, const QStringList& what = {"--name", ""}) {
  return xdotool(env, QStringList{"search", "--onlyvisible"} + what).split('\n', Qt::SkipEmptyParts);
}

// The window that xdotool's `click` brings up, or empty when none came (a
// popup need not name its process).
inline QString popupFrom(const QProcessEnvironment& env, const QStringList& click) {
  const QStringList before = visibleWindows(env);
  xdotool(env, click);
  QString popup;
  waitUntil([&] {
    for (const QString& window : visibleWindows(env))
      if (!before.contains(window)) popup = window;
    return !popup.isEmpty();
  });
  return popup;
}

inline bool escapeCloses(const QProcessEnvironment& env, const QString& popup) {
  xdotool(env, {"key", "Escape"});
  return waitUntil([&] { return !visibleWindows(env).contains(popup); });
}

// xdotool's words that take the pointer to `p`.
inline QStringList pointerTo(QPoint p) { return {"mousemove", QString::number(p.x()), QString::number(p.y())}; }

inline QString meterOf(const QProcessEnvironment& env, qint64 pid) {
  return windowsOf(env, pid, {"--onlyvisible", "--name", "^$"}).value(0);
}

// The meter once it shows, or empty when it did not.
inline QString shownMeter(const QProcessEnvironment& env, qint64 pid) {
  return firstFound([&] { return meterOf(env, pid); });
}

// The process's window a tray host has taken in, or empty.
inline QString dockedWindow(const QProcessEnvironment& env, qint64 pid) {
  for (const QString& window : windowsOf(env, pid)) {
    const QString info = run(env, "xwininfo", {"-children", "-id", window});
    const auto root = QRegularExpression("Root window id: (0x[0-9a-f]+)").match(info).captured(1);
    const auto parent = QRegularExpression("Parent window id: (0x[0-9a-f]+)").match(info).captured(1);
    if (!parent.isEmpty() && parent != root) return window;
  }
  return {};
}

// Empty when the window is gone.
inline QRect geometryOf(const QProcessEnvironment& env, const QString& window) {
  const QString said = xdotool(env, {"getwindowgeometry", window});
  const auto at = QRegularExpression("Position: (-?\\d+),(-?\\d+)").match(said);
  const auto size = QRegularExpression("Geometry: (\\d+)x(\\d+)").match(said);
  if (!at.hasMatch() || !size.hasMatch()) return {};
  return {at.captured(1).toInt(), at.captured(2).toInt(), size.captured(1).toInt(), size.captured(2).toInt()};
}

inline bool movedTo(const QProcessEnvironment& env, const QString& window, QPoint to) {
  xdotool(env, {"windowmove", window, QString::number(to.x()), QString::number(to.y())});
  return waitUntil([&] { return geometryOf(env, window).topLeft() == to; });
}

// A window manager has taken the screen once it names itself on the root window.
inline bool windowManagerRuns(const QProcessEnvironment& env) {
  return run(env, "xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
}

// A press at `from`, a move paced like a hand's, a release.
inline void drag(const QProcessEnvironment& env, QPoint from, QPoint by) {
  xdotool(env, pointerTo(from) + QStringList{"sleep", "0.2", "mousedown", "1"});
  for (int step = 1; step <= 5; ++step)
    xdotool(env, QStringList{"sleep", "0.05"} + pointerTo(from + by * step / 5));
  xdotool(env, {"sleep", "0.05", "mouseup", "1"});
}

// Double-clicks the meter's surface, which hides it. The X server delivers
// events in order, so once the meter is gone Kerumo has also heard of
// everything done to it before, such as a move.
inline bool hideByDoubleClick(const QProcessEnvironment& env, qint64 pid, const QString& meter) {
  xdotool(env, {"mousemove", "--window", meter, "5", "54", "click", "--repeat", "2", "--delay", "60", "1"});
  return waitUntil([&] { return !windowsOf(env, pid, {"--onlyvisible"}).contains(meter); });
}

inline Background trayer(const QProcessEnvironment& env) {
  return Background("trayer", {"--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "120",
                               "--height", "28", "--SetDockType", "false", "--transparent", "false"},
                    env);
}

}  // namespace kerumo::testing
