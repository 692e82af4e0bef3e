// The Release Kerumo (KERUMO_PROGRAM) on the desktops people run: X11
// window managers with their panels on Xvfb, and Wayland compositors that
// run it through XWayland. One run per desktop walks through what a user
// does there, each step its own check; pictures go to the pictures folder.
#include <signal.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "tests/platform/qt/session_e2e_support.h"
#include "tests/temp_dir.h"

namespace kerumo {
namespace {

using namespace kerumo::testing;

// Top 600 and left 900 twips (40 and 60 pixels), on top, temperature shown.
const std::string Settings = "600\r\n900\r\n0\r\n1\r\n0\r\n10\r\n10\r\n";
const QPoint Saved(60, 40);
// Not on top, warnings armed above any free share: the first tick warns.
const std::string Warned = "600\r\n900\r\n1\r\n1\r\n1\r\n101\r\n101\r\n";
const QPoint Drag(100, 50);

// Why a desktop cannot run here: the test skips with it.
struct Unavailable {
  std::string why;
};

void need(bool met, std::string why) {
  if (!met) throw Unavailable{std::move(why)};
}

// A running desktop: its display, what its clients run with, and what it
// offers to check.
struct Session {
  QProcessEnvironment clients = QProcessEnvironment::systemEnvironment();
  QProcessEnvironment kerumo;  // what Kerumo's environment changes
  QString bus = "unix:path=/nonexistent";
  QString panelClass;  // empty: no panel
  std::vector<std::unique_ptr<Background>> processes;
  // An X server of the test's own, if any: xdotool's pointer reaches the
  // windows and the screen can be pictured, which a Wayland compositor
  // allows neither.
  std::unique_ptr<PrivateXServer> x;
  std::unique_ptr<PrivateSessionBus> privateBus;
  QTemporaryDir runtime;
  pid_t client = 0;  // a compositor's client of ours

  Background& start(const QString& program, const QStringList& arguments) {
    processes.push_back(std::make_unique<Background>(program, arguments, clients));
    return *processes.back();
  }
  // A session bus of its own for its clients, started with what they run with.
  void ownBus() {
    privateBus = std::make_unique<PrivateSessionBus>(clients);
    need(!privateBus->name.isEmpty(), "no session bus");
    clients.insert("DBUS_SESSION_BUS_ADDRESS", privateBus->name);
  }
  ~Session() {
    if (client > 0) ::kill(client, SIGKILL);
    // Clients first, the display server last.
    for (auto it = processes.rbegin(); it != processes.rend(); ++it) (*it)->stop();
  }
};

QString netWmState(const Session& s, const QString& window) {
  return run(s.clients, "xprop", {"-id", window, "_NET_WM_STATE"});
}

// Whether `upper` lies above `lower` in the window manager's stacking order.
bool stackedAbove(const Session& s, const QString& upper, const QString& lower) {
  QStringList order;
  const QString said = run(s.clients, "xprop", {"-root", "_NET_CLIENT_LIST_STACKING"});
  for (const auto& match : QRegularExpression("0x[0-9a-f]+").globalMatch(said))
    order << QString::number(match.captured().toULongLong(nullptr, 16));
  return order.contains(upper) && order.contains(lower) && order.indexOf(upper) > order.indexOf(lower);
}

QImage picture(const Session& s, const QString& name, const QString& window = {}) {
  if (!s.x) return {};
  const QString file = KERUMO_PICTURES_DIR "/desktop-" + name + ".png";
  run(s.clients, KERUMO_SCREENSHOT, window.isEmpty() ? QStringList{file} : QStringList{file, window});
  return QImage(file);
}

// Runs of neighbouring columns of `area` where the two pictures differ.
std::vector<std::pair<int, int>> changedColumns(const QImage& before, const QImage& after, const QRect& area) {
  std::vector<std::pair<int, int>> runs;
  for (int x = area.left(); x <= area.right(); ++x) {
    bool changed = false;
    for (int y = area.top(); y <= area.bottom() && !changed; ++y) changed = before.pixel(x, y) != after.pixel(x, y);
    if (!changed) continue;
    if (!runs.empty() && x - runs.back().second <= 4) runs.back().second = x;
    else runs.emplace_back(x, x);
  }
  return runs;
}

QStringList clickAt(QPoint p, const QString& button) {
  return pointerTo(p) + QStringList{"sleep", "0.1", "click", button};
}

std::unique_ptr<Session> onXvfb() {
  auto s = std::make_unique<Session>();
  s->x = std::make_unique<PrivateXServer>();
  need(s->x->running(), "Xvfb did not start");
  s->clients.insert("DISPLAY", s->x->display());
  return s;
}

// Starts the window manager and, once it runs, the panel.
std::unique_ptr<Session> withPanel(std::unique_ptr<Session> s, const QString& windowManager, const QString& panel,
                                   const QStringList& arguments) {
  s->start(windowManager, {});
  need(waitUntil([&] { return windowManagerRuns(s->clients); }), windowManager.toStdString() + " did not start");
  s->start(panel, arguments);
  s->panelClass = panel;
  return s;
}

std::unique_ptr<Session> openboxWithTint2() {
  need(has("openbox") && has("tint2"), "needs openbox and tint2");
  return withPanel(onXvfb(), "openbox", "tint2", {"-c", KERUMO_DESKTOPS_DIR "/tint2rc"});
}

std::unique_ptr<Session> xfwm4WithXfcePanel() {
  need(has("xfwm4") && has("xfce4-panel") && has("dbus-daemon"), "needs xfwm4, xfce4-panel and dbus-daemon");
  auto s = onXvfb();
  // The panel and its settings daemon, which the bus starts, read this
  // layout, not the user's.
  s->clients.insert("XDG_CONFIG_HOME", s->runtime.path());
  const std::filesystem::path channels = s->runtime.filePath("xfce4/xfconf/xfce-perchannel-xml").toStdString();
  std::filesystem::create_directories(channels);
  std::filesystem::copy_file(KERUMO_DESKTOPS_DIR "/xfce4-panel.xml", channels / "xfce4-panel.xml");
  s->ownBus();
  s->bus = s->privateBus->name;
  return withPanel(std::move(s), "xfwm4", "xfce4-panel", {});
}

// A compositor that starts XWayland and one client, which says where it is
// and then waits, until the session ends it.
const QString SayDisplay =
    "echo \"client=$$ display=$DISPLAY xauthority=$XAUTHORITY wayland=$WAYLAND_DISPLAY\"; exec sleep 600";

// A Wayland socket name no other test run uses.
QString ownName(const QString& prefix) { return prefix + "-" + QString::number(QCoreApplication::applicationPid()); }

// A compositor's session, away from the display this test runs on.
std::unique_ptr<Session> wayland() {
  auto s = std::make_unique<Session>();
  s->clients.insert("XDG_RUNTIME_DIR", s->runtime.path());
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) s->clients.remove(name);
  return s;
}

// Starts the compositor and takes the display its client names.
std::unique_ptr<Session> withCompositor(std::unique_ptr<Session> s, const QString& program,
                                        const QStringList& arguments) {
  Background& compositor = s->start(program, arguments);
  const auto said = QRegularExpression("client=(\\d+) display=(\\S*) xauthority=(\\S*) wayland=(\\S+)");
  QRegularExpressionMatch match;
  if (compositor.waitForOutput("wayland=")) match = said.match(compositor.output());
  need(match.hasMatch() && !match.captured(2).isEmpty(),
       program.toStdString() + " did not start: " + compositor.output().toStdString() +
           QString::fromUtf8(compositor.process().readAllStandardError()).toStdString());
  s->client = match.captured(1).toInt();
  s->clients.insert("DISPLAY", match.captured(2));
  if (!match.captured(3).isEmpty()) s->clients.insert("XAUTHORITY", match.captured(3));
  // Kerumo finds the Wayland session and chooses XWayland itself.
  for (const char* name : {"DISPLAY", "XAUTHORITY"}) s->kerumo.insert(name, s->clients.value(name));
  s->kerumo.insert("WAYLAND_DISPLAY", match.captured(4));
  s->kerumo.insert("XDG_RUNTIME_DIR", s->runtime.path());
  s->kerumo.insert("QT_QPA_PLATFORM", "");
  need(waitUntil([&] { return windowManagerRuns(s->clients); }), "no window manager on XWayland");
  return s;
}

std::unique_ptr<Session> kwin() {
  const QString installed = QStandardPaths::findExecutable("kwin_wayland");
  need(!installed.isEmpty(), "needs kwin_wayland");
  auto s = wayland();
  // The installed file carries a capability a sandbox's bounding set may
  // lack, and then cannot run at all; a copy carries none.
  const QString copy = s->runtime.filePath("bin/kwin_wayland");
  std::filesystem::create_directories(std::filesystem::path(copy.toStdString()).parent_path());
  need(QFile::copy(installed, copy), "cannot copy kwin_wayland");
  return withCompositor(std::move(s), copy,
                        {"--virtual", "--xwayland", "--width", "1280", "--height", "800", "--socket",
                         ownName("kerumo-kwin"), "sh -c '" + SayDisplay + "'"});
}

std::unique_ptr<Session> mutter() {
  need(has("mutter") && has("dbus-daemon"), "needs mutter and dbus-daemon");
  auto s = wayland();
  s->ownBus();
  return withCompositor(std::move(s), "mutter",
                        {"--wayland", "--headless", "--virtual-monitor", "1280x800", "--wayland-display",
                         ownName("kerumo-mutter"), "--", "sh", "-c", SayDisplay});
}

struct Desktop {
  const char* name;
  std::unique_ptr<Session> (*start)();
};

void PrintTo(const Desktop& desktop, std::ostream* out) { *out << desktop.name; }

class OnDesktop : public ::testing::TestWithParam<Desktop> {
 protected:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("KERUMO_PROGRAM"))
      GTEST_SKIP() << "runs the Release build named in KERUMO_PROGRAM (scripts/test sets it)";
    if (!has("xdotool") || !has("xprop") || !has("xmessage")) GTEST_SKIP() << "needs xdotool, xprop and xmessage";
    try {
      session = GetParam().start();
    } catch (const Unavailable& unavailable) {
      GTEST_SKIP() << GetParam().name << ": " << unavailable.why;
    }
  }

  QString name(const char* step) const { return QString(GetParam().name) + "-" + step; }
  QString panelWindow() const {
    const auto width = [&](const QString& w) { return geometryOf(session->clients, w).width(); };
    QString widest;
    for (const QString& w : visibleWindows(session->clients, {"--class", session->panelClass}))
      if (widest.isEmpty() || width(w) > width(widest)) widest = w;
    return widest;
  }
  // The screen once the panel has drawn itself over the black root window
  // and stays as it is.
  QImage settledPanel(const char* step, QRect& area) {
    QImage last;
    waitUntil([&] {
      area = geometryOf(session->clients, panelWindow());
      const QImage now = picture(*session, name(step));
      const bool drawn = area.isValid() && now.rect().contains(area.center()) && now.pixel(area.center()) != qRgb(0, 0, 0);
      const bool settled = drawn && now == last;
      last = now;
      return settled;
    });
    return last;
  }

  // Kerumo's shown window whose place `fits`, once there; empty when none came.
  QString shownWindow(Kerumo& kerumo, const std::function<bool(const QString&, QRect)>& fits) const {
    return firstFound([&] {
      for (const QString& w : visibleWindows(session->clients, {"--pid", QString::number(kerumo.pid())}))
        if (fits(w, geometryOf(session->clients, w))) return w;
      return QString();
    });
  }

  void endsWriting(Kerumo& kerumo, const std::string& settings) {
    EXPECT_EQ(kerumo.terminate(), 0) << kerumo.describe();
    EXPECT_EQ(readFile(dir / "kerumo.ini"), settings);
  }

  // A warning comes from a tick, while the user works in another program:
  // the box maps above that window, and stays above when the user clicks
  // back into it. Kerumo runs in a folder of its own for it.
  void warningComesAboveTheActiveWindow() {
    Session& s = *session;
    const TempDir warned;
    writeFile(warned / "kerumo.ini", Warned);
    Background work("xmessage", {"-geometry", "500x300+40+30", "the user's work"}, s.clients);
    const QString active = firstFound([&] { return visibleWindows(s.clients, {"--class", "xmessage"}).value(0); });
    ASSERT_FALSE(active.isEmpty());
    xdotool(s.clients, {"windowactivate", active});
    Kerumo kerumo(warned.path(), s.clients.value("DISPLAY"), s.bus, s.kerumo);
    // Neither the meter nor a tray icon: the only window of Kerumo's taller
    // than 60 pixels.
    const QString box = shownWindow(kerumo, [](const QString&, QRect at) { return at.height() > 60; });
    ASSERT_FALSE(box.isEmpty()) << "no warning box: " << kerumo.describe();
    EXPECT_TRUE(waitUntil([&] { return netWmState(s, box).contains("_NET_WM_STATE_ABOVE"); }))
        << netWmState(s, box).toStdString();
    EXPECT_TRUE(waitUntil([&] { return stackedAbove(s, box, active); })) << "the warning box opened below";
    picture(s, name("warning"));
    xdotool(s.clients, {"windowactivate", active});
    waitUntil([] { return false; }, 500);
    EXPECT_TRUE(stackedAbove(s, box, active)) << "the warning box went below the active window";
    EXPECT_EQ(kerumo.terminate(), 0) << kerumo.describe();
  }

  std::unique_ptr<Session> session;
  TempDir dir;
};

TEST_P(OnDesktop, KerumoBehavesAsDesigned) {
  Session& s = *session;
  writeFile(dir / "kerumo.ini", Settings);
  QRect panelArea;
  QImage panelBefore;
  if (!s.panelClass.isEmpty()) panelBefore = settledPanel("before", panelArea);

  warningComesAboveTheActiveWindow();
  if (HasFatalFailure()) return;

  Kerumo kerumo(dir.path(), s.clients.value("DISPLAY"), s.bus, s.kerumo);
  const auto ofSize = [](QSize size) { return [size](const QString&, QRect at) { return at.size() == size; }; };
  QString meter = shownWindow(kerumo, ofSize({244, 60}));
  ASSERT_FALSE(meter.isEmpty()) << kerumo.describe();

  // Where it was saved, on top, out of task bars and pagers.
  const auto at = [&] { return geometryOf(s.clients, meter).topLeft(); };
  EXPECT_TRUE(waitUntil([&] { return at() == Saved; })) << at().x();
  const QString state = netWmState(s, meter);
  for (const char* atom : {"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"})
    EXPECT_TRUE(state.contains(atom)) << state.toStdString();
  {
    Background other("xmessage", {"-geometry", "300x120+20+20", "over the meter?"}, s.clients);
    const QString window = firstFound([&] { return visibleWindows(s.clients, {"--class", "xmessage"}).value(0); });
    ASSERT_FALSE(window.isEmpty());
    EXPECT_TRUE(waitUntil([&] { return stackedAbove(s, meter, window); })) << "another window covers the meter";
    picture(s, name("on-top"));
  }
  picture(s, name("meter"), meter);

  // The tray icon, and no task button, in the panel.
  QPoint icon;
  if (!s.panelClass.isEmpty()) {
    std::vector<std::pair<int, int>> runs;
    const QRect area = panelArea.intersected(QRect(0, 0, panelBefore.width(), panelBefore.height()));
    waitUntil([&] {
      runs = changedColumns(panelBefore, settledPanel("after", panelArea), area);
      return !runs.empty();
    });
    ASSERT_FALSE(runs.empty()) << "nothing came to the panel";
    // The icon is narrower than the panel is high; a task button is wider.
    for (const auto& [from, to] : runs) {
      EXPECT_LT(to - from, area.height()) << "a task button for the meter at x " << from << " to " << to;
      if (to - from < area.height()) icon = QPoint((from + to) / 2, area.center().y());
    }
    ASSERT_FALSE(icon.isNull()) << "no tray icon in the panel";
  }

  // A compositor's pointer is out of xdotool's reach: there the session
  // ends as it began.
  if (!s.x) return endsWriting(kerumo, Settings);

  // Kerumo's own menu on the meter, from a right click paced like a hand's.
  QString menu;
  const auto rightClickMeter = [&] {
    menu = popupFrom(s.clients, {"mousemove", "--window", meter, "5", "54", "sleep", "0.2", "click", "3"});
    if (menu.isEmpty()) picture(s, name("no-menu"));
    return !menu.isEmpty();
  };
  // Always on top off and on again from the menu: each time Qt maps a new
  // native window, which must stay out of the task bar too.
  for (const bool onTop : {false, true}) {
    const QString before = meter;
    ASSERT_TRUE(rightClickMeter()) << "no menu on the meter";
    // The pointer leaves the menu, so that no item stays under it.
    xdotool(s.clients, {"mousemove", "900", "500", "sleep", "0.2", "key", "Down", "Down", "Down", "Return"});
    meter = shownWindow(kerumo, [&](const QString& w, QRect at) { return w != before && ofSize({244, 60})(w, at); });
    ASSERT_FALSE(meter.isEmpty()) << "always on top did not change";
    EXPECT_TRUE(waitUntil([&] { return netWmState(s, meter).contains("_NET_WM_STATE_SKIP_TASKBAR"); }))
        << netWmState(s, meter).toStdString();
    EXPECT_EQ(netWmState(s, meter).contains("_NET_WM_STATE_ABOVE"), onTop);
    EXPECT_TRUE(waitUntil([&] { return !visibleWindows(s.clients).contains(menu); }));
  }

  // Opened and closed without a command.
  EXPECT_TRUE(rightClickMeter()) << "no menu on the meter";
  picture(s, name("menu"));
  EXPECT_TRUE(escapeCloses(s.clients, menu));

  // Dragged by hand, hidden by a double click.
  drag(s.clients, at() + QPoint(5, 54), Drag);
  EXPECT_TRUE(waitUntil([&] { return at() == Saved + Drag; })) << at().x();
  EXPECT_TRUE(hideByDoubleClick(s.clients, kerumo.pid(), meter)) << "a double click left the meter up";

  if (!s.panelClass.isEmpty()) {
    // A left click on the icon brings it back; a right click opens the menu.
    xdotool(s.clients, clickAt(icon, "1"));
    EXPECT_EQ(shownWindow(kerumo, [&](const QString& w, QRect) { return w == meter; }), meter)
        << "the icon's left click did nothing";
    // An XEmbed tray leaves the menu to Kerumo; a StatusNotifierItem host
    // draws it itself.
    menu = popupFrom(s.clients, clickAt(icon, "3"));
    EXPECT_FALSE(menu.isEmpty()) << "the icon's right click opened no menu";
    picture(s, name("tray-menu"));
    EXPECT_TRUE(escapeCloses(s.clients, menu));
  }

  // The about dialog, from the menu's last item, resized by a drag at its
  // frame's bottom right corner, which the window manager takes.
  ASSERT_TRUE(rightClickMeter()) << "no menu on the meter";
  const QRect items = geometryOf(s.clients, menu);
  xdotool(s.clients, clickAt({items.x() + 20, items.bottom() - 9}, "1"));
  const QSize designed(222 + 6, 174 + 6);
  const QString about = shownWindow(kerumo, ofSize(designed));
  ASSERT_FALSE(about.isEmpty()) << "no about dialog";
  drag(s.clients, geometryOf(s.clients, about).bottomRight() - QPoint(1, 1), {60, 40});
  EXPECT_TRUE(waitUntil([&] { return geometryOf(s.clients, about).size() == designed + QSize(60, 40); }))
      << geometryOf(s.clients, about).width() << "x" << geometryOf(s.clients, about).height();
  picture(s, name("about-resized"));

  endsWriting(kerumo, "1350\r\n2400\r\n0\r\n1\r\n0\r\n10\r\n10\r\n");
}

INSTANTIATE_TEST_SUITE_P(Desktops, OnDesktop,
                         ::testing::Values(Desktop{"openbox_tint2", openboxWithTint2},
                                           Desktop{"xfwm4_xfce4_panel", xfwm4WithXfcePanel},
                                           Desktop{"kwin_wayland", kwin}, Desktop{"mutter_wayland", mutter}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kerumo
