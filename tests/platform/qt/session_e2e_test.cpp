// Kerumo itself, as a separate process, at the edges of a desktop session:
// tray hosts that come late or restart, an X server that goes away, no
// display at all, screens added while it runs, settings files that are not
// what they seem. Each test has an X server of its own, so that killing it
// or changing its screens touches nothing else.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPoint>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <fstream>
#include <functional>
#include <random>

#include "tests/temp_dir.h"

namespace kerumo {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

// Generous: a loaded two-core machine running sanitized builds is slow; a
// hang still fails.
constexpr int Patience = 20000;
const std::string Settings = "600\r\n900\r\n1\r\n0\r\n1\r\n15\r\n25\r\n";

bool waitUntil(const std::function<bool()>& done, int milliseconds = Patience) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > milliseconds) return false;
    QThread::msleep(100);
  }
  return true;
}

bool has(const char* program) { return !QStandardPaths::findExecutable(program).isEmpty(); }

// An Xvfb of the test's own. It picks a free display itself and names it
// only once it takes clients; it does not reset between Kerumo runs.
class PrivateXServer {
 public:
  PrivateXServer() {
    process_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"});
    if (!process_.waitForStarted()) return;
    waitUntil([&] {
      process_.waitForReadyRead(100);
      number_ += QString::fromLatin1(process_.readAllStandardOutput());
      return number_.endsWith('\n') || process_.state() != QProcess::Running;
    });
    number_ = number_.trimmed();
  }
  ~PrivateXServer() { kill(); }
  PrivateXServer(const PrivateXServer&) = delete;
  PrivateXServer& operator=(const PrivateXServer&) = delete;

  bool running() const { return !number_.isEmpty() && process_.state() == QProcess::Running; }
  QString display() const { return ":" + number_; }
  void kill() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished();
  }

 private:
  QProcess process_;
  QString number_;
};

// A tool run against one display; its standard output.
QString onDisplay(const QString& display, const QString& program, const QStringList& arguments) {
  QProcess tool;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("DISPLAY", display);
  tool.setProcessEnvironment(env);
  tool.start(program, arguments);
  tool.waitForFinished(Patience);
  return QString::fromUtf8(tool.readAllStandardOutput());
}

// A process started in the background and ended with the test.
class Background {
 public:
  Background(const QString& program, const QStringList& arguments, const QProcessEnvironment& env) {
    process_.setProcessEnvironment(env);
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

 private:
  QProcess process_;
  QString out_;
};

// Kerumo started in `dir` on `display`, away from any real session bus.
class Kerumo {
 public:
  Kerumo(const std::filesystem::path& dir, const QString& display, const QString& bus = "unix:path=/nonexistent") {
    runtime_ = dir / "runtime";
    std::filesystem::create_directory(runtime_);
    std::filesystem::permissions(runtime_, std::filesystem::perms::owner_all);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DBUS_SESSION_BUS_ADDRESS", bus);
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime_.string()));
    env.remove("WAYLAND_DISPLAY");
    process_.setProcessEnvironment(env);
    process_.setWorkingDirectory(QString::fromStdString(dir.string()));
    process_.start(KERUMO_EXE, {});
    process_.waitForStarted();
  }
  ~Kerumo() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished();
  }
  Kerumo(const Kerumo&) = delete;
  Kerumo& operator=(const Kerumo&) = delete;

  qint64 pid() const { return process_.processId(); }
  // For a failure message: whether it still runs, and what it said.
  std::string describe() {
    const std::string state = process_.state() == QProcess::Running
                                  ? "running"
                                  : "ended with " + std::to_string(process_.exitCode()) +
                                        (process_.exitStatus() == QProcess::CrashExit ? " (crashed)" : "");
    return state + " (" + process_.errorString().toStdString() + "); said: " + errors().toStdString();
  }
  QString errors() {
    errors_ += QString::fromUtf8(process_.readAllStandardError());
    return errors_;
  }
  bool says(const QString& text) {
    process_.waitForReadyRead(50);
    return errors().contains(text);
  }
  int lines() { return static_cast<int>(errors().count('\n')); }
  // Reads what it has said until it pauses.
  void settle() {
    while (process_.waitForReadyRead(500)) errors();
  }
  // The exit status, or -1 when it did not end by itself in time.
  int exitStatus() {
    if (!process_.waitForFinished(Patience) || process_.exitStatus() != QProcess::NormalExit) return -1;
    errors();
    return process_.exitCode();
  }
  void terminate() { process_.terminate(); }
  // Peak resident memory so far, in kilobytes.
  long peakMemoryKb() const {
    std::ifstream status("/proc/" + std::to_string(pid()) + "/status");
    std::string line;
    while (std::getline(status, line))
      if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return 0;
  }

 private:
  QProcess process_;
  QString errors_;
  std::filesystem::path runtime_;
};

QStringList windowsOf(const QString& display, qint64 pid, const QStringList& more = {}) {
  return onDisplay(display, "xdotool", QStringList{"search", "--all", "--pid", QString::number(pid)} + more)
      .split('\n', Qt::SkipEmptyParts);
}

QString meterOf(const QString& display, qint64 pid) {
  const QStringList windows = windowsOf(display, pid, {"--onlyvisible", "--name", "^$"});
  return windows.isEmpty() ? QString() : windows.first();
}

// Whether a tray host has taken one of the process's windows in.
bool docked(const QString& display, qint64 pid) {
  for (const QString& window : windowsOf(display, pid)) {
    const QString info = onDisplay(display, "xwininfo", {"-children", "-id", window});
    const auto root = QRegularExpression("Root window id: (0x[0-9a-f]+)").match(info).captured(1);
    const auto parent = QRegularExpression("Parent window id: (0x[0-9a-f]+)").match(info).captured(1);
    if (!parent.isEmpty() && parent != root) return true;
  }
  return false;
}

QPoint positionOf(const QString& display, const QString& window) {
  const auto match = QRegularExpression("Position: (-?\\d+),(-?\\d+)")
                         .match(onDisplay(display, "xdotool", {"getwindowgeometry", window}));
  return match.hasMatch() ? QPoint(match.captured(1).toInt(), match.captured(2).toInt()) : QPoint(-1, -1);
}

// Double-clicks the meter's surface, which hides it. The X server delivers
// events in order, so once the meter is gone Kerumo has also heard of
// everything done to it before, such as a move.
bool hideByDoubleClick(const QString& display, qint64 pid, const QString& meter) {
  onDisplay(display, "xdotool", {"mousemove", "--window", meter, "5", "54", "click", "--repeat", "2", "--delay", "60", "1"});
  return waitUntil([&] { return meterOf(display, pid).isEmpty(); });
}

Background trayer(const QString& display) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("DISPLAY", display);
  return Background("trayer", {"--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "120",
                               "--height", "28", "--SetDockType", "false", "--transparent", "false"},
                    env);
}

class SessionEdges : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!has("Xvfb") || !has("xdotool") || !has("xwininfo")) GTEST_SKIP() << "needs Xvfb, xdotool and xwininfo";
    ASSERT_TRUE(x.running());
  }
  PrivateXServer x;
  TempDir dir;
};

TEST_F(SessionEdges, TrayStartedAfterKerumoGetsTheIconAndGetsItBackAfterARestart) {
  if (!has("trayer")) GTEST_SKIP() << "needs trayer";
  Kerumo kerumo(dir.path(), x.display());
  ASSERT_TRUE(waitUntil([&] { return kerumo.says("no system tray is available"); })) << kerumo.errors().toStdString();
  ASSERT_TRUE(waitUntil([&] { return !meterOf(x.display(), kerumo.pid()).isEmpty(); }));
  {
    auto tray = trayer(x.display());
    EXPECT_TRUE(waitUntil([&] { return docked(x.display(), kerumo.pid()); }));
    EXPECT_TRUE(kerumo.says("a system tray appeared"));
  }
  EXPECT_TRUE(waitUntil([&] { return !docked(x.display(), kerumo.pid()); }));
  auto again = trayer(x.display());
  EXPECT_TRUE(waitUntil([&] { return docked(x.display(), kerumo.pid()); }));
  EXPECT_EQ(kerumo.errors().count("no system tray is available"), 1);
  EXPECT_EQ(kerumo.errors().count("a system tray appeared"), 1);
}

TEST_F(SessionEdges, StatusNotifierWatcherStartedAfterKerumoGetsTheIconAndAfterARestart) {
  if (!has("dbus-daemon")) GTEST_SKIP() << "needs dbus-daemon";
  Background bus("dbus-daemon", {"--session", "--nofork", "--print-address=1"},
                 QProcessEnvironment::systemEnvironment());
  ASSERT_TRUE(waitUntil([&] {
    bus.process().waitForReadyRead(100);
    return bus.output().contains('\n');
  }));
  const QString address = bus.output().trimmed();
  Kerumo kerumo(dir.path(), x.display(), address);
  ASSERT_TRUE(waitUntil([&] { return kerumo.says("no system tray is available"); })) << kerumo.errors().toStdString();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("DBUS_SESSION_BUS_ADDRESS", address);
  env.insert("QT_QPA_PLATFORM", "offscreen");
  const QString registered = "item " + QString::number(kerumo.pid()) + " ";
  {
    Background watcher(KERUMO_SNI_WATCHER, {}, env);
    EXPECT_TRUE(waitUntil([&] {
      watcher.process().waitForReadyRead(100);
      return watcher.output().contains(registered);
    })) << watcher.output().toStdString();
    EXPECT_TRUE(kerumo.says("a system tray appeared"));
  }
  Background restarted(KERUMO_SNI_WATCHER, {}, env);
  EXPECT_TRUE(waitUntil([&] {
    restarted.process().waitForReadyRead(100);
    return restarted.output().contains(registered);
  })) << restarted.output().toStdString();
  EXPECT_EQ(kerumo.errors().count("a system tray appeared"), 1);
}

TEST_F(SessionEdges, LostDisplayKeepsTheSessionsSettings) {
  writeFile(dir / "kerumo.ini", Settings);
  Kerumo kerumo(dir.path(), x.display());
  QString meter;
  ASSERT_TRUE(waitUntil([&] { return !(meter = meterOf(x.display(), kerumo.pid())).isEmpty(); }));
  onDisplay(x.display(), "xdotool", {"windowmove", meter, "333", "222"});
  ASSERT_TRUE(waitUntil([&] { return positionOf(x.display(), meter) == QPoint(333, 222); }));
  ASSERT_TRUE(hideByDoubleClick(x.display(), kerumo.pid(), meter));
  kerumo.settle();
  const int linesBefore = kerumo.lines();
  x.kill();
  EXPECT_EQ(kerumo.exitStatus(), 1);
  EXPECT_EQ(kerumo.lines(), linesBefore + 1) << kerumo.errors().toStdString();
  EXPECT_TRUE(kerumo.errors().contains("the settings were saved to")) << kerumo.errors().toStdString();
  EXPECT_EQ(readFile(dir / "kerumo.ini"), "3330\r\n4995\r\n1\r\n0\r\n1\r\n15\r\n25\r\n");
}

TEST_F(SessionEdges, LinkedSettingsFileStaysLinked) {
  std::filesystem::create_directory(dir / "dotfiles");
  writeFile(dir / "dotfiles" / "kerumo.ini", Settings);
  std::filesystem::create_symlink("dotfiles/kerumo.ini", dir / "kerumo.ini");
  Kerumo kerumo(dir.path(), x.display());
  QString meter;
  ASSERT_TRUE(waitUntil([&] { return !(meter = meterOf(x.display(), kerumo.pid())).isEmpty(); }));
  onDisplay(x.display(), "xdotool", {"windowmove", meter, "100", "50"});
  ASSERT_TRUE(waitUntil([&] { return positionOf(x.display(), meter) == QPoint(100, 50); }));
  ASSERT_TRUE(hideByDoubleClick(x.display(), kerumo.pid(), meter));
  kerumo.terminate();
  EXPECT_EQ(kerumo.exitStatus(), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "kerumo.ini"));
  EXPECT_EQ(readFile(dir / "dotfiles" / "kerumo.ini"), "750\r\n1500\r\n1\r\n0\r\n1\r\n15\r\n25\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "dotfiles" / "kerumo.ini.new"));
}

TEST_F(SessionEdges, ScreenAddedLaterGetsTheWorkAreaWatch) {
  if (!has("xrandr") || !has("xprop")) GTEST_SKIP() << "needs xrandr and xprop";
  writeFile(dir / "kerumo.ini", Settings);
  Kerumo kerumo(dir.path(), x.display());
  QString meter;
  ASSERT_TRUE(waitUntil([&] { return !(meter = meterOf(x.display(), kerumo.pid())).isEmpty(); }));
  // The server reports each change in order, so Kerumo hears of the new
  // screen before the move and the work area below.
  onDisplay(x.display(), "xrandr", {"--setmonitor", "kerumo-side", "640/169x1024/270+1280+0", "none"});
  onDisplay(x.display(), "xdotool", {"windowmove", meter, "1400", "100"});
  ASSERT_TRUE(waitUntil([&] { return positionOf(x.display(), meter) == QPoint(1400, 100); }));
  QThread::msleep(500);
  ASSERT_EQ(positionOf(x.display(), meter), QPoint(1400, 100)) << "the side screen holds the meter";
  // Only the side screen's work area changes: it shrinks to 20 pixels.
  onDisplay(x.display(), "xprop", {"-root", "-f", "_NET_WORKAREA", "32c", "-set", "_NET_WORKAREA", "0, 0, 1300, 1024"});
  EXPECT_TRUE(waitUntil([&] { return positionOf(x.display(), meter).x() + 242 <= 1280; }))
      << positionOf(x.display(), meter).x();
}

// A file where kerumo.ini should be, and what Kerumo must make of it.
struct BadFile {
  const char* what;
  std::function<void(const std::filesystem::path&)> make;
  const char* said;  // on standard error, from the error box; empty: starts normally
};

void randomBytes(const std::filesystem::path& path) {
  std::mt19937 random(14);
  std::string bytes(4096, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  writeFile(path, bytes);
}

TEST_F(SessionEdges, SettingsFilesThatAreNotWhatTheySeemAreAnsweredAtOnce) {
  const BadFile files[] = {
      {"FIFO", [](const auto& p) { ::mkfifo(p.c_str(), 0600); }, "「名前付きパイプ」"},
      {"link to /dev/zero", [](const auto& p) { std::filesystem::create_symlink("/dev/zero", p); }, "「デバイスファイル」"},
      {"directory", [](const auto& p) { std::filesystem::create_directory(p); }, "「フォルダー」"},
      {"50 MB", [](const auto& p) {
         writeFile(p, Settings);
         std::filesystem::resize_file(p, 50'000'000);
       }, "「50000000 バイトのファイル"},
      {"random bytes", randomBytes, "1 行目"},
      {"UTF-8 byte-order mark", [](const auto& p) { writeFile(p, "\xEF\xBB\xBF" + Settings); }, ""},
      {"UTF-16 byte-order mark", [](const auto& p) {
         std::string bytes = "\xFF\xFE";
         for (const char c : Settings) bytes += std::string{c, '\0'};
         writeFile(p, bytes);
       }, ""},
  };
  long baselineKb = 0;
  {
    TempDir plain;
    writeFile(plain / "kerumo.ini", "abc\n");
    Kerumo kerumo(plain.path(), x.display());
    ASSERT_TRUE(waitUntil([&] { return kerumo.says("abc"); }));
    baselineKb = kerumo.peakMemoryKb();
  }
  for (const BadFile& file : files) {
    SCOPED_TRACE(file.what);
    TempDir place;
    const auto path = place / "kerumo.ini";
    file.make(path);
    struct stat before {};
    ::lstat(path.c_str(), &before);
    const std::string contents = std::filesystem::is_regular_file(path) && before.st_size < 100000 ? readFile(path) : "";
    Kerumo kerumo(place.path(), x.display());
    QElapsedTimer clock;
    clock.start();
    if (*file.said) {
      EXPECT_TRUE(waitUntil([&] { return kerumo.says(QString::fromUtf8(file.said)); })) << kerumo.describe();
      EXPECT_TRUE(waitUntil([&] { return !windowsOf(x.display(), kerumo.pid(), {"--onlyvisible", "--name", "ケルモエラー"}).isEmpty(); }));
    } else {
      EXPECT_TRUE(waitUntil([&] { return !meterOf(x.display(), kerumo.pid()).isEmpty(); })) << kerumo.describe();
      EXPECT_FALSE(kerumo.errors().contains("ケルモエラー")) << kerumo.errors().toStdString();
    }
    std::cout << "[ measured ] " << file.what << ": answered in " << clock.elapsed() << " ms, peak "
              << kerumo.peakMemoryKb() / 1024 << " MB (small bad file: " << baselineKb / 1024 << " MB)\n";
    EXPECT_LT(kerumo.peakMemoryKb(), baselineKb + 64 * 1024);
    struct stat after {};
    ::lstat(path.c_str(), &after);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(after.st_size, before.st_size);
    if (!contents.empty()) {
      EXPECT_EQ(readFile(path), contents);
    }
  }
}

TEST(NoDisplay, IsOneLineNamingTheDisplayAndStatusOne) {
  const struct {
    const char* what;
    QString display;  // empty: DISPLAY unset
    QString platform;
    QString said;
  } cases[] = {
      {"DISPLAY not set", "", "", "DISPLAY is not set"},
      {"no server there", ":4093", "", "\":4093\""},
      {"no server there, xcb asked for", ":4093", "xcb", "\":4093\""},
      {"no such window system", ":4093", "no-such-platform", "no-such-platform"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QProcess kerumo;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    if (!c.display.isEmpty()) env.insert("DISPLAY", c.display);
    if (!c.platform.isEmpty()) env.insert("QT_QPA_PLATFORM", c.platform);
    kerumo.setProcessEnvironment(env);
    kerumo.start(KERUMO_EXE, {});
    ASSERT_TRUE(kerumo.waitForFinished(Patience));
    EXPECT_EQ(kerumo.exitStatus(), QProcess::NormalExit);  // no abort, no core dump
    EXPECT_EQ(kerumo.exitCode(), 1);
    const QString said = QString::fromUtf8(kerumo.readAllStandardError());
    EXPECT_EQ(said.count('\n'), 1) << said.toStdString();
    EXPECT_TRUE(said.contains(c.said)) << said.toStdString();
  }
}

}  // namespace
}  // namespace kerumo

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
