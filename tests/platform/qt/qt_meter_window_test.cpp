#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolTip>

#include "shell/form1_design.h"
#include "tests/no_form_events.h"
#include "tests/platform/qt/qt_test_platform.h"

namespace kerumo {
namespace {

class QtMeterWindow : public testing::QtKerumoTest {
 protected:
  QtMeterWindow() : QtKerumoTest("600\r\n900\r\n0\r\n1\r\n0\r\n10\r\n10\r\n") {}
};

TEST_F(QtMeterWindow, WindowAndControlsAsDesignedInPixels) {
  QApplication::processEvents();
  EXPECT_EQ(frame->client()->size(), QSize(242, 58));
  EXPECT_EQ(frame->pos(), QPoint(60, 40));
  EXPECT_TRUE(frame->isVisible());
  EXPECT_TRUE(frame->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(frame->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(frame->findChild<QMenuBar*>(), nullptr);
  QStringList captions;
  for (const QAction* action : static_cast<qt::QtForm&>(form->window()).menu()->actions())
    captions << (action->isSeparator() ? "-" : action->text());
  EXPECT_EQ(captions, (QStringList{"ケルモの表示", "ケルモの非表示", "-", "常に手前に表示", "-", "CPU温度の表示", "警告設定",
                                   "-", "ケルモの終了", "-", "about"}));
  // One of each kind: the pictures and shapes at their boxes, the labels
  // anchored at the side their alignment names.
  const struct {
    const char* name;
    QRect rect;
  } cases[] = {{"Image5", {171, 1, 70, 20}}, {"Shape2", {8, 40, 67, 9}}, {"Shape5", {88, 40, 67, 9}}};
  for (const auto& c : cases) {
    ASSERT_NE(child(c.name), nullptr) << c.name;
    EXPECT_EQ(child(c.name)->geometry(), c.rect) << c.name;
  }
  const struct {
    const char* name;
    QPoint anchor;
    bool rightAnchored;
  } labels[] = {{"Label13", {8, 24}, false}, {"Label20", {64, 8}, false}, {"Label5", {62, 8}, true},
                {"Label16", {222, 24}, true}};
  for (const auto& l : labels) {
    const QRect r = child(l.name)->geometry();
    EXPECT_EQ(l.rightAnchored ? QPoint(r.right() + 1, r.top()) : r.topLeft(), l.anchor) << l.name;
  }
  // Bars lie above their tracks.
  const QObjectList& order = frame->client()->children();  // back to front
  const auto index = [&](const char* name) { return order.indexOf(child(name)); };
  EXPECT_GT(index("Shape1"), index("Shape2"));
  EXPECT_GT(index("Shape3"), index("Shape4"));
  EXPECT_GT(index("Shape5"), index("Shape6"));
  const QFont font = child("Label13")->font();
  EXPECT_TRUE(font.bold());
  EXPECT_EQ(font.pixelSize(), 12);
  EXPECT_TRUE(font.families().contains("IPAGothic"));
  EXPECT_EQ(static_cast<QLabel*>(child("Label20"))->text(), QString("℃"));
}

// The tip a pointer resting on `label`'s place would bring up, if any.
QString tipOver(QWidget* label) {
  QWidget* client = label->parentWidget();
  const QPoint at = label->geometry().center();
  QWidget* under = client->childAt(at);
  QWidget* receiver = under ? under : client;
  const QPoint local = receiver->mapFrom(client, at);
  QHelpEvent help(QEvent::ToolTip, local, receiver->mapToGlobal(local));
  QCoreApplication::sendEvent(receiver, &help);
  const QString tip = QToolTip::isVisible() ? QToolTip::text() : QString();
  QToolTip::hideText();  // goes after a short delay
  EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
  return tip;
}

// Only the legends carry tips, and a hidden label shows none.
TEST_F(QtMeterWindow, LegendsCarryTheirToolTipsAndHidingTheReadOutHidesOnlyItsRow) {
  EXPECT_EQ(child("Label13")->toolTip(), QString("物理メモリ使用率"));
  EXPECT_EQ(child("Label14")->toolTip(), QString("システムリソース使用率"));
  EXPECT_EQ(child("Label15")->toolTip(), QString("CPU使用率"));
  for (const char* name : {"Label2", "Label3", "Label5", "Label16", "Label17", "Image5", "Shape1"})
    EXPECT_TRUE(child(name)->toolTip().isEmpty()) << name;
  frame->show();
  EXPECT_EQ(tipOver(child("Label1")), QString("CPU温度"));
  form->mnuCputmp_Click();
  for (const char* name : {"Label1", "Label5", "Label20"}) EXPECT_FALSE(child(name)->isVisible()) << name;
  for (const char* name : {"Label13", "Label2", "Label17", "Image5"}) EXPECT_TRUE(child(name)->isVisible()) << name;
  EXPECT_EQ(tipOver(child("Label1")), QString());
  form->mnuCputmp_Click();
  EXPECT_EQ(tipOver(child("Label1")), QString("CPU温度"));
}

// The timer runs from the end of the load until the unload work; a value
// label keeps its right edge when its figure shrinks.
TEST_F(QtMeterWindow, PictureOfTheWindowAfterOneTick) {
  testing::NoFormEvents events;
  const auto fresh = testing::qtPlatform().createForm(form1Design(), events);
  EXPECT_FALSE(static_cast<qt::QtForm&>(*fresh).frame()->findChild<QTimer*>("Timer1")->isActive());
  auto* timer = frame->findChild<QTimer*>("Timer1");
  EXPECT_TRUE(timer->isActive());
  const QRect before = child("Label16")->geometry();
  figures.freeResources = 37;
  figures.cpuUsage = 7;
  figures.memoryLoads = {45};
  form->onTimer("Timer1");
  QApplication::processEvents();
  EXPECT_EQ(child("Label16")->geometry().right(), before.right());
  EXPECT_LT(child("Label16")->geometry().width(), before.width());
  figures.cpuUsage = 42;
  form->onTimer("Timer1");
  QApplication::processEvents();
  const QPixmap picture = frame->grab();
  EXPECT_EQ(picture.size(), QSize(244, 60));
  EXPECT_TRUE(picture.save(KERUMO_PICTURES_DIR "/meter-window.png"));
  EXPECT_EQ(child("Shape3")->width(), 28);  // 420 twips
  form->Form_Unload();
  EXPECT_FALSE(timer->isActive());
}

// What a screen reader lists under `item`, depth first: the names of the
// items in view.
QStringList listed(QAccessibleInterface* item) {
  QStringList names;
  for (int i = 0; i < item->childCount(); ++i) {
    QAccessibleInterface* child = item->child(i);
    if (!child->state().invisible && !child->text(QAccessible::Name).isEmpty())
      names << child->text(QAccessible::Name);
    names << listed(child);
  }
  return names;
}

TEST_F(QtMeterWindow, AScreenReaderListsTheNamedMeterWithItsFourFigures) {
  QAccessibleInterface* meter = QAccessible::queryAccessibleInterface(frame);
  EXPECT_EQ(meter->text(QAccessible::Name), QString("ケルモ"));
  EXPECT_EQ(listed(meter), (QStringList{"CPU温度 100℃", "メモリ使用率 100%", "システムリソース使用率 100%", "CPU使用率 100%"}));
  figures.freeResources = 37;
  figures.cpuUsage = 42;
  figures.memoryLoads = {45};
  figures.temperature = 51;
  form->onTimer("Timer1");
  EXPECT_EQ(listed(meter), (QStringList{"CPU温度 51℃", "メモリ使用率 55%", "システムリソース使用率 63%", "CPU使用率 42%"}));
  QAccessibleInterface* cpu = meter->child(0)->child(3);
  EXPECT_EQ(cpu->role(), QAccessible::StaticText);
  EXPECT_EQ(cpu->text(QAccessible::Value), QString("42%"));
  EXPECT_EQ(cpu->valueInterface()->currentValue(), QVariant(42));
  const QRect around = child("Label15")->geometry().united(child("Label18")->geometry());
  EXPECT_EQ(cpu->rect(), QRect(frame->client()->mapToGlobal(around.topLeft()), around.size()));
  EXPECT_EQ(meter->child(0)->childAt(cpu->rect().center().x(), cpu->rect().center().y()), cpu);
  form->onTimer("Timer1");
  form->noApp_Click();
  figures.cpuUsage = 43;
  figures.temperature = std::nullopt;
  form->onTimer("Timer1");
  // Hidden, the meter tells nothing; shown again, it reads as it shows.
  EXPECT_EQ(listed(meter), QStringList());
  EXPECT_EQ(cpu->text(QAccessible::Name), QString("CPU使用率 42%"));
  form->mnuAbout_Click();
  EXPECT_EQ(listed(meter), (QStringList{"CPU温度 計測できません", "メモリ使用率 55%", "システムリソース使用率 63%", "CPU使用率 43%"}));
  EXPECT_EQ(meter->child(0)->child(0)->valueInterface(), nullptr);
  form->mnuCputmp_Click();
  EXPECT_EQ(listed(meter), (QStringList{"メモリ使用率 55%", "システムリソース使用率 63%", "CPU使用率 43%"}));
}

}  // namespace
}  // namespace kerumo
