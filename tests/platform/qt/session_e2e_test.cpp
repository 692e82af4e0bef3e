// Kerumo itself, as a separate process, at the edges of a desktop session:
// tray hosts that come late or restart, an X server that goes away, no
// display at all, screens added while it runs, settings files that are not
// what they seem. Each test has an X server of its own, so that killing it
// or changing its screens touches nothing else.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QLibraryInfo>
#include <tuple>
#include <utility>

#include "tests/platform/qt/session_e2e_support.h"
#include "tests/temp_dir.h"

namespace kerumo {
namespace {

using namespace kerumo::testing;

// Top 600 and left 900 twips (40 and 60 pixels).
const std::string Settings = "600\r\n900\r\n1\r\n0\r\n1\r\n15\r\n25\r\n";
const QPoint Saved(60, 40);

class SessionEdges : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!has("Xvfb") || !has("xdotool") || !has("xwininfo")) GTEST_SKIP() << "needs Xvfb, xdotool and xwininfo";
    ASSERT_TRUE(x.running());
  }
  // Chooses the `item`th command of the meter's menu with the keyboard.
  void choose(const QString& meter, int item) const {
    ASSERT_FALSE(popupFrom(on, {"mousemove", "--window", meter, "5", "54", "click", "3"}).isEmpty());
    for (int i = 0; i < item; ++i) xdotool(on, {"key", "Down"});
    xdotool(on, {"key", "Return"});
  }
  // Whether `click` opens a menu that Escape closes.
  bool opensMenu(const QStringList& click) const {
    const QString menu = popupFrom(on, click);
    return !menu.isEmpty() && escapeCloses(on, menu);
  }
  PrivateXServer x;
  const QProcessEnvironment on = onDisplay(x.display());
  TempDir dir;
};

// One session's late arrivals, then its end. The tray comes after Kerumo,
// and again after a restart; its icon brings the meter back where it was
// and opens the menu; a drag moves the meter only from its surface. A
// screen comes, and its work area changes. Then, with the settings file a
// link into a dotfiles folder, the X server goes away: the session's
// settings go into the link's target.
TEST_F(SessionEdges, LateTrayAndScreenAreTakenInAndALostDisplayKeepsTheSessionsSettingsInTheLinkedFile) {
  if (!has("trayer") || !has("xrandr") || !has("xprop")) GTEST_SKIP() << "needs trayer, xrandr and xprop";
  std::filesystem::create_directory(dir / "dotfiles");
  writeFile(dir / "dotfiles" / "kerumo.ini", Settings);
  std::filesystem::create_symlink("dotfiles/kerumo.ini", dir / "kerumo.ini");
  Kerumo kerumo(dir.path(), x.display());
  ASSERT_TRUE(kerumo.waitForOutput("kerumo: 通知領域が見つからないため、アイコンを表示せずに動作します\n")) << kerumo.describe();
  const QString meter = shownMeter(on, kerumo.pid());
  ASSERT_FALSE(meter.isEmpty()) << kerumo.describe();
  EXPECT_TRUE(opensMenu({"mousemove", "--window", meter, "5", "54", "click", "3"})) << "no menu without a tray";
  {
    auto tray = trayer(on);
    const QString icon = firstFound([&] { return dockedWindow(on, kerumo.pid()); });
    ASSERT_FALSE(icon.isEmpty());
    EXPECT_TRUE(kerumo.waitForOutput("kerumo: 通知領域が使用可能になったため、アイコンを表示しました\n"));
    ASSERT_TRUE(hideByDoubleClick(on, kerumo.pid(), meter));
    const QStringList click = pointerTo(geometryOf(on, icon).center()) + QStringList{"click"};
    xdotool(on, click + QStringList{"1"});
    EXPECT_TRUE(waitUntil([&] { return meterOf(on, kerumo.pid()) == meter; })) << "the icon's left click failed";
    EXPECT_EQ(geometryOf(on, meter).topLeft(), Saved);
    EXPECT_TRUE(opensMenu(click + QStringList{"3"})) << "the icon's right click opened no menu";
    // Had the drag on the label moved the meter, the one on the surface
    // would start beside it.
    drag(on, Saved + QPoint(12, 28), {80, 60});
    drag(on, Saved + QPoint(5, 54), {100, 70});
    EXPECT_TRUE(waitUntil([&] { return geometryOf(on, meter).topLeft() == Saved + QPoint(100, 70); }))
        << geometryOf(on, meter).x();
  }
  EXPECT_TRUE(waitUntil([&] { return dockedWindow(on, kerumo.pid()).isEmpty(); }));
  auto again = trayer(on);
  EXPECT_TRUE(waitUntil([&] { return !dockedWindow(on, kerumo.pid()).isEmpty(); }));
  EXPECT_EQ(kerumo.output().count("通知領域が見つからない"), 1);
  EXPECT_EQ(kerumo.output().count("通知領域が使用可能になった"), 1);

  // The server reports each change in order, so Kerumo hears of the new
  // screen before the move and the work area below.
  run(on, "xrandr", {"--setmonitor", "kerumo-side", "640/169x1024/270+1280+0", "none"});
  ASSERT_TRUE(movedTo(on, meter, {1400, 100}));
  QThread::msleep(500);
  ASSERT_EQ(geometryOf(on, meter).topLeft(), QPoint(1400, 100)) << "the side screen holds the meter";
  // Only the side screen's work area changes: it shrinks to 20 pixels.
  run(on, "xprop", {"-root", "-f", "_NET_WORKAREA", "32c", "-set", "_NET_WORKAREA", "0, 0, 1300, 1024"});
  EXPECT_TRUE(waitUntil([&] { return geometryOf(on, meter).topLeft().x() + 242 <= 1280; }))
      << geometryOf(on, meter).topLeft().x();

  ASSERT_TRUE(movedTo(on, meter, {333, 222}));
  ASSERT_TRUE(hideByDoubleClick(on, kerumo.pid(), meter));
  const qsizetype linesBefore = kerumo.quietOutput().count('\n');
  x.stop();
  EXPECT_EQ(kerumo.exitStatus(), 1);
  EXPECT_EQ(kerumo.output().count('\n'), linesBefore + 1) << kerumo.output().toStdString();
  const QString saved = "kerumo: ディスプレイとの接続が切れました。設定を " +
                        QString::fromStdString((dir / "kerumo.ini").string()) + " に保存しました\n";
  EXPECT_TRUE(kerumo.output().endsWith(saved)) << kerumo.output().toStdString();
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "kerumo.ini"));
  EXPECT_EQ(readFile(dir / "dotfiles" / "kerumo.ini"), "3330\r\n4995\r\n1\r\n0\r\n1\r\n15\r\n25\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "dotfiles" / "kerumo.ini.new"));
}

// The watcher comes first and its host after it (no clock needed to see
// that); a restarted one gets the item again. Hosts list the icon under its
// title, which must be the program's Japanese name, not its file name.
// With the host there from the start, a start says nothing on standard
// error, whether the optional libraries are absent (the usual case) or
// present; a library file that is there but cannot be loaded is said in one
// line. Each ends on SIGTERM with status 0: in a sanitized build also the
// proof that nothing leaked, such as the tray's copy of the menu.
TEST_F(SessionEdges, LateOrRestartedStatusNotifierHostsGetTheTitledIconAndAStartIsSilentOrOneLineForABrokenLibrary) {
  if (!has("dbus-daemon") || !has("dbus-send")) GTEST_SKIP() << "needs dbus-daemon and dbus-send";
  PrivateSessionBus bus;
  ASSERT_FALSE(bus.name.isEmpty());
  Kerumo kerumo(dir.path(), x.display(), bus.name);
  ASSERT_TRUE(kerumo.waitForOutput("kerumo: 通知領域が見つからないため、アイコンを表示せずに動作します\n")) << kerumo.describe();
  QProcessEnvironment env = on;
  env.insert("DBUS_SESSION_BUS_ADDRESS", bus.name);
  const QString item = "item " + QString::number(kerumo.pid()) + " ";
  {
    Background watcher(KERUMO_SNI_WATCHER, {"--host-on-input"}, env);
    ASSERT_TRUE(watcher.waitForOutput("asked for a host: no")) << watcher.output().toStdString();
    watcher.process().write("host\n");
    EXPECT_TRUE(watcher.waitForOutput(item)) << watcher.output().toStdString();
    EXPECT_TRUE(kerumo.waitForOutput("kerumo: 通知領域が使用可能になったため、アイコンを表示しました\n"));
  }
  Background restarted(KERUMO_SNI_WATCHER, {}, env);
  ASSERT_TRUE(restarted.waitForOutput(item)) << restarted.output().toStdString();
  // What a host shows of it, asked of the item as a host asks.
  const QString service = QRegularExpression(item + "(\\S+)\n").match(restarted.output()).captured(1);
  const auto property = [&](const char* name) {
    return run(env, "dbus-send", {"--print-reply", "--dest=" + service, "/StatusNotifierItem",
                                  "org.freedesktop.DBus.Properties.Get",
                                  "string:org.kde.StatusNotifierItem", QString("string:") + name});
  };
  EXPECT_TRUE(property("Title").contains("string \"ケルモ\"\n")) << property("Title").toStdString();
  EXPECT_TRUE(property("IconName").contains(QRegularExpression("string \"[^\"]")) ||
              property("IconPixmap").contains("struct {"))
      << property("IconName").toStdString() << property("IconPixmap").toStdString();
  EXPECT_EQ(kerumo.output().count("通知領域が使用可能になった"), 1);

  TempDir broken;
  writeFile(broken / "libresinfo.so", "not a library");
  const struct {
    const char* what;
    QString libraries;  // LD_LIBRARY_PATH
    QString said;       // a regular expression for all of standard error
  } starts[] = {
      {"no libraries", "", ""},
      {"the stand-in libraries", KERUMO_FAKELIBS_DIR, ""},
      {"a broken library file", QString::fromStdString(broken.path().string()),
       "kerumo: libresinfo\\.so を読み込めませんでした（[^\\n]+）。計測値は /proc から取得します\\n"},
  };
  for (const auto& start : starts) {
    SCOPED_TRACE(start.what);
    TempDir place;
    QProcessEnvironment session;
    session.insert("LD_LIBRARY_PATH", start.libraries);
    session.insert("KERUMO_FAKE_CALLS_FILE", QString::fromStdString((place / "calls.txt").string()));
    Kerumo quiet(place.path(), x.display(), bus.name, session);
    ASSERT_TRUE(restarted.waitForOutput("item " + QString::number(quiet.pid()) + " ")) << quiet.describe();
    // The first tick has chosen the sources: the libraries were called, or
    // the built-in source holds /proc/meminfo open.
    ASSERT_TRUE(waitUntil([&] {
      return readFile(place / "calls.txt").find("GetResInfo") != std::string::npos ||
             holds(quiet.pid(), "/proc/meminfo");
    })) << quiet.describe();
    // A line is written before the figures are fetched; whatever else came
    // is read once the process falls quiet.
    EXPECT_TRUE(QRegularExpression("^" + start.said + "$").match(quiet.quietOutput()).hasMatch()) << quiet.describe();
    EXPECT_EQ(quiet.terminate(), 0) << quiet.describe();
  }
}

// What a screen reader finds on the accessibility bus, with the stand-in
// libraries giving known figures: the named meter with its four figures,
// each with its meaning, and nothing read out on its own; then the warning
// settings dialog's named fields and the about dialog's links.
TEST_F(SessionEdges, AScreenReaderHearsTheNamedMeterItsFiguresAndTheDialogsNamedFields) {
  if (!has("dbus-daemon") || !QFile::exists("/usr/libexec/at-spi-bus-launcher"))
    GTEST_SKIP() << "needs dbus-daemon and at-spi2-core";
  PrivateSessionBus bus;
  ASSERT_FALSE(bus.name.isEmpty());
  QProcessEnvironment env = on;
  env.insert("DBUS_SESSION_BUS_ADDRESS", bus.name);
  // As a desktop session does at login, the accessibility bus is up before
  // any program starts; Qt takes it in at start-up rather than racing its launch.
  ASSERT_TRUE(run(env, "dbus-send", {"--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                                     "org.a11y.Bus.GetAddress"})
                  .contains("unix:"));
  QProcessEnvironment session;
  session.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
  session.insert("LD_LIBRARY_PATH", KERUMO_FAKELIBS_DIR);
  Kerumo kerumo(dir.path(), x.display(), bus.name, session);
  const auto tree = [&] { return run(env, KERUMO_ACCESSIBLE_TREE, {"ケルモ"}); };
  const QString heard =
      "frame|ケルモ|\n"
      "  filler||\n"
      "    label|CPU温度 52℃|52\n"
      "    label|メモリ使用率 60%|60\n"
      "    label|システムリソース使用率 37%|37\n"
      "    label|CPU使用率 30%|30\n";
  QString said;
  // Once the first tick has read the stand-ins' figures. The lister asks for
  // each name and number in turn, so a tick in the middle of a walk mixes
  // the old name with the new number; a walk after it is whole.
  EXPECT_TRUE(waitUntil([&] { return (said = tree()) == heard; })) << said.toStdString() << kerumo.describe();
  const QString meter = shownMeter(on, kerumo.pid());
  ASSERT_FALSE(meter.isEmpty());
  choose(meter, 5);  // "警告設定"
  EXPECT_TRUE(waitUntil([&] { return (said = tree()).contains("text|システムリソース残量|"); })) << said.toStdString();
  EXPECT_TRUE(said.contains("  check box|警告機能を利用する|\n")) << said.toStdString();
  EXPECT_TRUE(said.contains("  text|物理メモリ残り|\n")) << said.toStdString();
  xdotool(on, {"key", "Escape"});
  ASSERT_TRUE(waitUntil([&] { return !tree().contains("警告の設定"); }));
  choose(meter, 7);  // "about"
  EXPECT_TRUE(waitUntil([&] { return (said = tree()).contains("  link|https://"); })) << said.toStdString();
  EXPECT_TRUE(said.contains("  link|mailto:")) << said.toStdString();
}

// Pictures of the meter and the about dialog under the default theme and
// under GTK's dark one through Qt's GTK platform theme. The meter's text
// over its picture stays as dark as designed; the dialog turns dark, and
// its links, set black by the pointer's move, take the theme's light text.
TEST_F(SessionEdges, UnderADarkThemeTheMeterKeepsItsDarkTextAndTheAboutDialogFollowsTheTheme) {
  const QString gtk3 = QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platformthemes/libqgtk3.so";
  if (!QFile::exists(gtk3)) GTEST_SKIP() << "needs qt6-gtk-platformtheme";
  const auto pictures = [&](const QString& theme, const QProcessEnvironment& session) {
    TempDir home;
    QProcessEnvironment calls = session;
    calls.insert("KERUMO_FAKE_CALLS_FILE", QString::fromStdString((home / "calls.txt").string()));
    calls.insert("LD_LIBRARY_PATH", KERUMO_FAKELIBS_DIR);
    Kerumo kerumo(home.path(), x.display(), "unix:path=/nonexistent", calls);
    // The first tick has read the temperature, the last of its figures.
    EXPECT_TRUE(waitUntil([&] { return readFile(home / "calls.txt").find("InputPort") != std::string::npos; }))
        << kerumo.describe();
    const QString meter = shownMeter(on, kerumo.pid());
    const QString picture = QString(KERUMO_PICTURES_DIR "/meter-%1.png").arg(theme);
    run(on, KERUMO_SCREENSHOT, {picture, meter});
    choose(meter, 7);  // "about"
    QStringList shown;
    EXPECT_TRUE(waitUntil([&] { return (shown = windowsOf(on, kerumo.pid(), {"--onlyvisible"})).size() == 2; }));
    shown.removeAll(meter);
    const QString about = shown.value(0);
    xdotool(on, {"mousemove", "--window", about, "218", "56", "sleep", "0.3"});
    const QString aboutPicture = QString(KERUMO_PICTURES_DIR "/about-%1.png").arg(theme);
    run(on, KERUMO_SCREENSHOT, {aboutPicture, about});
    return std::pair(QImage(picture), QImage(aboutPicture));
  };
  QProcessEnvironment dark;
  dark.insert("QT_QPA_PLATFORMTHEME", "gtk3");
  dark.insert("GTK_THEME", "Adwaita:dark");
  const auto [meter, about] = pictures("default", {});
  const auto [darkMeter, darkAbout] = pictures("dark", dark);
  ASSERT_FALSE(meter.isNull() || darkMeter.isNull() || about.isNull() || darkAbout.isNull());
  // Inside the frame, which follows the theme, the meter is the same picture.
  const QRect client = meter.rect().adjusted(1, 1, -1, -1);
  EXPECT_EQ(darkMeter.copy(client), meter.copy(client));
  const auto lightness = [](const QImage& image, QPoint at) { return image.pixelColor(at).lightness(); };
  EXPECT_GT(lightness(about, {218, 56}), 128);
  EXPECT_LT(lightness(darkAbout, {218, 56}), 128);
  // The web link's row: its lightest pixel is text on the dark face.
  int lightest = 0;
  for (int y = 96; y < 109; ++y)
    for (int x = 8; x < 150; ++x) lightest = std::max(lightest, lightness(darkAbout, {x, y}));
  EXPECT_GT(lightest, 160);
}

TEST_F(SessionEdges, SettingsFilesThatAreNotWhatTheySeemAreAnsweredAtOnce) {
  // A file where kerumo.ini should be, and what Kerumo must make of it.
  const struct {
    const char* what;
    std::function<void(const std::filesystem::path&)> make;
    const char* said;  // on standard error, from the error box
  } files[] = {
      // Nothing is read from it: the other's measure.
      {"FIFO", [](const auto& p) { ::mkfifo(p.c_str(), 0600); }, "通常のファイルではなく、名前付きパイプです。"},
      {"link to /dev/zero", [](const auto& p) { std::filesystem::create_symlink("/dev/zero", p); }, "通常のファイルではなく、デバイスファイルです。"},
  };
  long baselineKb = 0;
  for (const auto& file : files) {
    SCOPED_TRACE(file.what);
    TempDir place;
    const auto path = place / "kerumo.ini";
    file.make(path);
    struct stat before {};
    ::lstat(path.c_str(), &before);
    Kerumo kerumo(place.path(), x.display());
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(kerumo.waitForOutput(QString::fromUtf8(file.said))) << kerumo.describe();
    EXPECT_TRUE(waitUntil([&] { return !windowsOf(on, kerumo.pid(), {"--onlyvisible", "--name", "ケルモエラー"}).isEmpty(); }));
    if (baselineKb == 0) baselineKb = kerumo.peakMemoryKb();
    std::cout << "[ measured ] " << file.what << ": answered in " << clock.elapsed() << " ms, peak "
              << kerumo.peakMemoryKb() / 1024 << " MB (FIFO: " << baselineKb / 1024 << " MB)\n";
    EXPECT_LT(kerumo.peakMemoryKb(), baselineKb + 64 * 1024);
    struct stat after {};
    ::lstat(path.c_str(), &after);
    EXPECT_EQ(std::tie(after.st_mtim.tv_sec, after.st_mtim.tv_nsec, after.st_size),
              std::tie(before.st_mtim.tv_sec, before.st_mtim.tv_nsec, before.st_size));
  }
}

// The settings a first run writes, after the position.
const std::string DefaultSwitches = "0\r\n1\r\n0\r\n10\r\n10\r\n";

// A place as the settings file's first two lines hold it, at 15 twips a pixel.
std::string positionLines(QPoint p) { return std::to_string(p.y() * 15) + "\r\n" + std::to_string(p.x() * 15) + "\r\n"; }

// One run of Kerumo in `dir`: where its meter shows. `then` acts on the
// meter before the run ends as a session ends it, which writes the file.
QRect runOnce(const std::filesystem::path& dir, const QString& display,
              const std::function<void(const QProcessEnvironment&, const QString&)>& then = {}) {
  Kerumo kerumo(dir, display);
  const QProcessEnvironment on = onDisplay(display);
  const QString meter = shownMeter(on, kerumo.pid());
  if (meter.isEmpty()) {
    ADD_FAILURE() << "no meter: " << kerumo.describe();
    return {};
  }
  const QRect shown = geometryOf(on, meter);
  if (then) then(on, meter);
  EXPECT_EQ(kerumo.terminate(), 0) << kerumo.describe();
  return shown;
}

// 16 bits of twips end at 2184 pixels: the default place and the far right
// of wide screens lie beyond, and come back at the same pixel after an exit.
class WideScreen : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(WideScreen, TheDefaultPlaceAndAFarRightOneComeBackAfterAnExit) {
  if (!has("Xvfb") || !has("xdotool")) GTEST_SKIP() << "needs Xvfb and xdotool";
  const QSize screen(GetParam().first, GetParam().second);
  PrivateXServer x(QString("%1x%2x24").arg(screen.width()).arg(screen.height()));
  ASSERT_TRUE(x.running());
  TempDir dir;
  const QRect first = runOnce(dir.path(), x.display());
  EXPECT_EQ(first.topLeft() + QPoint(first.width(), 0), QPoint(screen.width() - 16, 16)) << "the default place";
  EXPECT_EQ(readFile(dir / "kerumo.ini"), positionLines(first.topLeft()) + DefaultSwitches);
  const QPoint farRight(screen.width() - first.width(), screen.height() - first.height() - 100);
  const auto moveFarRight = [&](const auto& on, const QString& meter) { EXPECT_TRUE(movedTo(on, meter, farRight)); };
  EXPECT_EQ(runOnce(dir.path(), x.display(), moveFarRight).topLeft(), first.topLeft());
  EXPECT_EQ(readFile(dir / "kerumo.ini"), positionLines(farRight) + DefaultSwitches);
  EXPECT_EQ(runOnce(dir.path(), x.display()).topLeft(), farRight);
}

INSTANTIATE_TEST_SUITE_P(Pixels, WideScreen, ::testing::Values(std::pair(2560, 1440), std::pair(7680, 2160)),
                         [](const auto& info) {
                           return std::to_string(info.param.first) + "x" + std::to_string(info.param.second);
                         });

// Two screens side by side: the meter left on the second, beyond 16 bits of
// twips, comes back there. With the second gone it starts at the default
// place, and the file keeps the old place until the exit. Made the primary,
// the second has the first left of it, where the meter stays.
TEST(SeveralScreens, TheMeterComesBackOnItsScreenAndHomeWhenThatScreenIsGone) {
  if (!has("Xvfb") || !has("xdotool") || !has("xrandr")) GTEST_SKIP() << "needs Xvfb, xdotool and xrandr";
  PrivateXServer x("3200x1080x24");
  ASSERT_TRUE(x.running());
  const QProcessEnvironment on = onDisplay(x.display());
  run(on, "xrandr", {"--setmonitor", "*first", "1280/340x1024/270+0+0", "screen"});
  run(on, "xrandr", {"--setmonitor", "second", "1920/510x1080/290+1280+0", "none"});
  ASSERT_EQ(run(on, "xrandr", {"--listmonitors"}).count('\n'), 3) << run(on, "xrandr", {"--listmonitors"}).toStdString();
  TempDir dir;
  const QPoint onSecond(2900, 700);
  runOnce(dir.path(), x.display(), [&](const auto& on, const QString& meter) { EXPECT_TRUE(movedTo(on, meter, onSecond)); });
  EXPECT_EQ(runOnce(dir.path(), x.display()).topLeft(), onSecond);
  const std::string leftOnSecond = positionLines(onSecond) + DefaultSwitches;
  EXPECT_EQ(readFile(dir / "kerumo.ini"), leftOnSecond);

  run(on, "xrandr", {"--delmonitor", "second"});
  const QRect home = runOnce(dir.path(), x.display(), [&](const auto&, const QString&) {
    EXPECT_EQ(readFile(dir / "kerumo.ini"), leftOnSecond) << "kept until the exit";
  });
  EXPECT_EQ(home.topLeft() + QPoint(home.width(), 0), QPoint(1280 - 16, 16)) << "the default place";
  EXPECT_EQ(readFile(dir / "kerumo.ini"), positionLines(home.topLeft()) + DefaultSwitches);

  run(on, "xrandr", {"--setmonitor", "*second", "1920/510x1080/290+1280+0", "none"});
  EXPECT_EQ(runOnce(dir.path(), x.display()).topLeft(), home.topLeft()) << "left of the primary";
  std::filesystem::remove(dir / "kerumo.ini");
  const QRect primaryHome = runOnce(dir.path(), x.display());
  EXPECT_EQ(primaryHome.topLeft() + QPoint(primaryHome.width(), 0), QPoint(3200 - 16, 16)) << "the new primary's";
}

TEST(NoDisplay, IsOneLineNamingTheDisplayAndStatusOne) {
  const struct {
    const char* what;
    QString display;  // empty: DISPLAY unset
    QString platform;
    QString said;
  } cases[] = {
      {"DISPLAY not set", "", "", "kerumo: ディスプレイに接続できません。環境変数 DISPLAY が設定されていません\n"},
      {"no server there", ":4093", "", "kerumo: ディスプレイ「:4093」に接続できません\n"},
      {"no server there, xcb asked for", ":4093", "xcb", "kerumo: ディスプレイ「:4093」に接続できません\n"},
      // Then what Qt said, in its own words.
      {"no such window system", ":4093", "no-such-platform",
       "kerumo: ウィンドウシステムに接続できません（Qt のプラットフォーム「no-such-platform」）"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir place;
    QProcessEnvironment session;  // an empty value: not set
    session.insert("DISPLAY", c.display);
    session.insert("QT_QPA_PLATFORM", c.platform);
    Kerumo kerumo(place.path(), c.display, "unix:path=/nonexistent", session);
    EXPECT_EQ(kerumo.exitStatus(), 1) << kerumo.describe();  // no abort, no core dump
    EXPECT_EQ(kerumo.output().count('\n'), 1) << kerumo.describe();
    EXPECT_TRUE(kerumo.output().startsWith(c.said)) << kerumo.describe();
  }
}

}  // namespace
}  // namespace kerumo
