// The meter window in a real X server with a real XEmbed tray host, driven
// by real pointer events from xdotool.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QWindow>
#include <QTimer>
#include <memory>

#include "tests/platform/qt/qt_test_platform.h"

namespace kerumo {
namespace {

// "mousemove --sync" waits long when the pointer is already there, so
// moves settle with a short pause instead.
void xdotool(const QStringList& arguments) { QProcess::execute("xdotool", arguments); }

// The tray host embeds the icon's window at its place; clicks reach the
// icon only once it sits there, away from the origin it starts at.
bool iconIsDocked(QSystemTrayIcon* icon) {
  const QRect before = icon->geometry();
  testing::waitFor([] { return false; }, 200);
  const QRect after = icon->geometry();
  return after.isValid() && after.topLeft() != QPoint(0, 0) && after == before;
}

QString number(int n) { return QString::number(n); }

void clickAt(QPoint p, int button, int repeat = 1) {
  xdotool({"mousemove", number(p.x()), number(p.y()), "sleep", "0.05", "click", "--repeat", number(repeat), "--delay",
           "60", number(button)});
}

void dragFrom(QPoint from, QPoint to) {
  xdotool({"mousemove", number(from.x()), number(from.y()), "sleep", "0.05", "mousedown", "1"});
  for (int step = 1; step <= 5; ++step) {
    const QPoint p = from + (to - from) * step / 5;
    xdotool({"mousemove", number(p.x()), number(p.y()), "sleep", "0.03"});
    testing::waitFor([] { return false; }, 30);
  }
  xdotool({"mouseup", "1"});
}

class TrayEndToEnd : public testing::QtKerumoTest {
 protected:
  TrayEndToEnd() : QtKerumoTest("600\r\n900\r\n1\r\n1\r\n0\r\n10\r\n10\r\n") {}
  static void SetUpTestSuite() {
    if (qEnvironmentVariableIsEmpty("DISPLAY") || QStandardPaths::findExecutable("trayer").isEmpty() ||
        QStandardPaths::findExecutable("xdotool").isEmpty())
      return;
    tray = std::make_unique<QProcess>();
    tray->start("trayer", {"--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "120",
                           "--height", "28", "--SetDockType", "false", "--transparent", "false"});
    testing::waitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 5000);
  }
  static void TearDownTestSuite() { tray.reset(); }  // kills it

  void SetUp() override {
    if (!tray || !QSystemTrayIcon::isSystemTrayAvailable()) GTEST_SKIP() << "needs a display, trayer and xdotool";
    QtKerumoTest::SetUp();
    if (HasFatalFailure()) return;
    menu = static_cast<qt::QtForm&>(form->window()).menu();
    ASSERT_TRUE(testing::waitFor([&] { return frame->windowHandle() && frame->windowHandle()->isExposed(); }));
    icon = testing::qtPlatform().trayIcon();
    ASSERT_NE(icon, nullptr);
    ASSERT_TRUE(testing::waitFor([&] { return iconIsDocked(icon); }, 5000));
  }

  QPoint onSurface() const { return frame->mapToGlobal(QPoint(5, 54)); }
  QPoint iconCentre() const { return icon->geometry().center(); }

  // Pops the menu up with `open`, notes its captions, then picks `caption`.
  QStringList chooseFromMenu(const std::function<void()>& open, const QString& caption) {
    QStringList captions;
    bool chosen = false;
    // Polls from inside the menu's own event loop once it is up.
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (chosen || !menu->isVisible()) return;
      chosen = true;
      for (QAction* action : menu->actions()) captions << (action->isSeparator() ? "-" : action->text());
      menu->grab().save(KERUMO_PICTURES_DIR "/tray-menu.png");
      for (QAction* action : menu->actions()) {
        if (action->text() == caption) clickAt(menu->mapToGlobal(menu->actionGeometry(action).center()), 1);
      }
    });
    poll.start();
    open();
    testing::waitFor([&] { return chosen && !menu->isVisible(); });
    return captions;
  }

  static inline std::unique_ptr<QProcess> tray;
  QMenu* menu = nullptr;
  QSystemTrayIcon* icon = nullptr;
};

// A double click hides the window, a left click on the icon brings it back
// where it was, and a right click there opens the menu, whose hide works.
TEST_F(TrayEndToEnd, TheIconShowsTheWindowAndOpensTheMenu) {
  const QPoint where = frame->pos();
  clickAt(onSurface(), 1, 2);
  ASSERT_TRUE(testing::waitFor([&] { return !frame->isVisible(); }));
  clickAt(iconCentre(), 1);
  ASSERT_TRUE(testing::waitFor([&] { return frame->isVisible(); }));
  EXPECT_EQ(frame->pos(), where);
  const QStringList captions = chooseFromMenu([&] { clickAt(iconCentre(), 3); }, "ケルモの非表示");
  EXPECT_EQ(captions, (QStringList{"ケルモの表示", "ケルモの非表示", "-", "常に手前に表示", "-", "CPU温度の表示",
                                   "警告設定", "-", "ケルモの終了", "-", "about"}));
  EXPECT_TRUE(testing::waitFor([&] { return !frame->isVisible(); }));
  EXPECT_TRUE(icon->isVisible());
}

// A drag on a label leaves the window; on the surface it moves it, and exit
// from the menu writes the new position once.
TEST_F(TrayEndToEnd, DragOnTheSurfaceMovesTheWindowAndExitWritesTheNewPositionOnce) {
  const QPoint start = frame->pos();
  const QPoint label = static_cast<qt::QtForm&>(form->window()).control("Label13")->mapToGlobal(QPoint(3, 3));
  dragFrom(label, label + QPoint(80, 60));
  testing::waitFor([] { return false; }, 200);
  EXPECT_EQ(frame->pos(), start);
  dragFrom(onSurface(), onSurface() + QPoint(100, 70));
  ASSERT_TRUE(testing::waitFor([&] { return frame->pos() == QPoint(160, 110); })) << frame->pos().x();
  QTimer::singleShot(0, [&] { chooseFromMenu([&] { clickAt(onSurface(), 3); }, "ケルモの終了"); });
  EXPECT_EQ(testing::qtPlatform().runEventLoop(*form), 0);
  EXPECT_EQ(testing::readFile(dir / "kerumo.ini"), "1650\r\n2400\r\n1\r\n1\r\n0\r\n10\r\n10\r\n");
  std::filesystem::remove(dir / "kerumo.ini");
  form->Form_Unload();
  EXPECT_FALSE(std::filesystem::exists(dir / "kerumo.ini"));
}

}  // namespace
}  // namespace kerumo
