#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <optional>
#include <vector>

#include "dialogs/author.h"
#include "dialogs/form3_design.h"
#include "monitor/warning_settings.h"
#include "tests/no_form_events.h"
#include "tests/platform/qt/qt_test_platform.h"

// Catches what the about dialog hands to the desktop, so no browser opens.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened << url; }
};

namespace kerumo {
namespace {

// The shown top-level windows named `name`.
QWidgetList shownWindows(const char* name) {
  QWidgetList windows;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name && w->isVisible()) windows << w;
  return windows;
}

QWidget* nextFocusable(QWidget* widget) {
  QWidget* next = widget->nextInFocusChain();
  while (next != widget && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
  return next;
}

// A mouse event at `at` in `widget`, at `global` on the screen (by default
// where `at` is now). Only a move has no button of its own.
void sendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButtons held, QPointF at = {2, 2},
               std::optional<QPointF> global = {}) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, at, global.value_or(widget->mapToGlobal(at)), button, held, {});
  QCoreApplication::sendEvent(widget, &event);
}

// The events of a click, or of a double click's second press, as Qt delivers them.
void sendClick(QWidget* widget, QEvent::Type press = QEvent::MouseButtonPress) {
  sendMouse(widget, press, Qt::LeftButton);
  sendMouse(widget, QEvent::MouseButtonRelease, {});
}

void commit(QWidget* field, const QString& text) {
  QInputMethodEvent event;
  event.setCommitString(text);
  QCoreApplication::sendEvent(field, &event);
}

void press(QWidget* field, Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers = {}) {
  QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(field, &event);
}

// Ctrl with a letter types the letter's control character (Ctrl+V is 22),
// also when the window system hands over only the letter.
TEST(QtTextBox, CtrlWithALetterTypesItsControlCharacter) {
  struct : testing::NoFormEvents {
    std::vector<int> typed;
    void onKeyPress(const std::string&, int& keyAscii) override { typed.push_back(keyAscii); }
  } keys;
  const auto dialog = testing::qtPlatform().createForm(form3Design(), keys);
  auto* field = static_cast<qt::QtForm&>(*dialog).frame()->findChild<QLineEdit*>("Text1");
  for (const QChar c : QString("ahvz")) press(field, Qt::Key(c.toUpper().unicode()), c, Qt::ControlModifier);
  EXPECT_EQ(keys.typed, (std::vector<int>{1, 8, 22, 26}));
}

class QtDialogs : public testing::QtKerumoTest {
 protected:
  QtDialogs() : QtKerumoTest("600\r\n900\r\n0\r\n1\r\n1\r\n10\r\n10\r\n") {}
};

// The fields take no input method and filter what still arrives.
TEST_F(QtDialogs, WarningSettingsDialogIsLaidOutTypedIntoThroughTheFilterAndClosedByEscape) {
  bool inspected = false;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = shownWindows("Form3").value(0);
    ASSERT_NE(dialog, nullptr);
    inspected = true;
    EXPECT_EQ(dialog->windowTitle(), QString("警告の設定"));
    EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(dialog->findChild<QWidget*>("client")->size(), QSize(235, 305));
    auto* check = dialog->findChild<QCheckBox*>("Check1");
    auto* text1 = dialog->findChild<QLineEdit*>("Text1");
    auto* text2 = dialog->findChild<QLineEdit*>("Text2");
    auto* button = dialog->findChild<QPushButton*>("Command1");
    EXPECT_EQ(check->geometry(), QRect(8, 16, 145, 33));
    EXPECT_EQ(text1->geometry(), QRect(16, 160, 57, 18));
    EXPECT_EQ(dialog->focusWidget(), check);
    EXPECT_EQ(nextFocusable(check), text1);
    EXPECT_EQ(nextFocusable(text1), text2);
    EXPECT_EQ(nextFocusable(text2), button);
    // Read top to bottom, as the dialog was made; the screen reader's run
    // hears each field named by the heading of its row.
    QAccessibleInterface* area = QAccessible::queryAccessibleInterface(dialog->findChild<QWidget*>("client"));
    EXPECT_EQ(area->child(0)->text(QAccessible::Name), QString("警告機能を利用する"));
    EXPECT_EQ(area->child(area->childCount() - 1)->text(QAccessible::Name), QString("設定"));
    EXPECT_EQ(area->indexOfChild(QAccessible::queryAccessibleInterface(text1)), 6);
    EXPECT_EQ(dialog->findChild<QLabel*>("Label7")->text(), QString("（％）以下になったら警告"));
    QApplication::clipboard()->setText("99");
    for (const char* name : {"Text1", "Text2"}) {
      SCOPED_TRACE(name);
      auto* field = dialog->findChild<QLineEdit*>(name);
      EXPECT_FALSE(field->testAttribute(Qt::WA_InputMethodEnabled));
      field->setText("5");
      commit(field, "１０あ");
      EXPECT_EQ(field->text(), QString("5"));
      commit(field, "１7あ8");
      EXPECT_EQ(field->text(), QString("578"));
      // Ctrl+V as X11 types it (a control character) and as a bare key.
      press(field, Qt::Key_V, "\x16", Qt::ControlModifier);
      press(field, Qt::Key_V, "v", Qt::ControlModifier);
      press(field, Qt::Key_Insert, "", Qt::NoModifier);  // an editing key, not a character
      EXPECT_EQ(field->text(), QString("578"));
      field->selectAll();
      press(field, Qt::Key_C, "\x03", Qt::ControlModifier);
      press(field, Qt::Key_X, "\x18", Qt::ControlModifier);
      EXPECT_EQ(field->text(), QString("578"));
      EXPECT_EQ(QApplication::clipboard()->text(), QString("99"));
      field->end(false);
      field->paste();  // what the context menu's paste does
      EXPECT_EQ(field->text(), QString("57899"));
    }
    text1->clear();
    for (const QChar c : QString("a2.5-")) press(text1, Qt::Key(c.toUpper().unicode()), c);
    EXPECT_EQ(text1->text(), QString("25"));
    press(text1, Qt::Key_Backspace, "\b");
    EXPECT_EQ(text1->text(), QString("2"));
    text2->setText("30");
    EXPECT_TRUE(dialog->grab().save(KERUMO_PICTURES_DIR "/warning-settings.png"));
    button->click();
  });
  form->mnuKeikoku_Click();
  EXPECT_TRUE(inspected);
  EXPECT_EQ(MemThreshold, 2);
  EXPECT_EQ(ResThreshold, 30);
  EXPECT_TRUE(shownWindows("Form3").isEmpty());
  // Escape closes it again without storing, and the meter ticks again.
  QTimer::singleShot(0, [&] {
    QWidget* dialog = shownWindows("Form3").value(0);
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QLineEdit*>("Text1")->setText("77");
    press(dialog, Qt::Key_Escape, "");
  });
  form->mnuKeikoku_Click();
  EXPECT_EQ(MemThreshold, 2);
  EXPECT_TRUE(shownWindows("Form3").isEmpty());
  figures.cpuUsage = 61;
  EXPECT_TRUE(QTest::qWaitFor([&] { return form->window().text("Label16") == "61"; }));
}

TEST_F(QtDialogs, WarningBoxShowsThePromptOnThreeLines) {
  figures.memoryLoads = {5};
  QString shown;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    shown = box->text();
    EXPECT_EQ(box->windowTitle(), QString("ケルモ警告"));
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->buttons().size(), 1);
    box->grab().save(KERUMO_PICTURES_DIR "/memory-warning.png");
    box->buttons().front()->click();
  });
  form->onTimer("Timer1");
  EXPECT_EQ(shown, QString("警告\n物理メモリ残量\nいくつかのアプリケーションを終了させてください。"));
  EXPECT_EQ(WarnEnabled, 0);
}

// A drag from `from` by `by` on a window's own frame, in its coordinates.
void dragFrame(QWidget* window, QPoint from, QPoint by) {
  const QPointF start = window->mapToGlobal(from);
  sendMouse(window, QEvent::MouseButtonPress, Qt::LeftButton, from, start);
  sendMouse(window, QEvent::MouseMove, Qt::LeftButton, from, start + by);
  sendMouse(window, QEvent::MouseButtonRelease, {}, from, start + by);
}

TEST_F(QtDialogs, AboutDialogLinksHoverAndOpenThroughTheDesktop) {
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler("https", &catcher, "open");
  QDesktopServices::setUrlHandler("mailto", &catcher, "open");
  form->mnuab_Click();
  form->mnuab_Click();
  const QWidgetList abouts = shownWindows("Form2");
  ASSERT_EQ(abouts.size(), 1);
  QWidget* about = abouts.front();
  QWidget* client = about->findChild<QWidget*>("client");
  EXPECT_EQ(client->size(), QSize(222, 174));
  auto* web = about->findChild<QLabel*>("Label1");
  auto* mail = about->findChild<QLabel*>("Label6");
  auto* button = about->findChild<QPushButton*>("Command1");
  EXPECT_EQ(web->text(), QString(AuthorWebLink));
  sendMouse(web, QEvent::MouseMove, {});
  EXPECT_EQ(web->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_TRUE(web->font().underline());
  EXPECT_TRUE(about->grab().save(KERUMO_PICTURES_DIR "/about.png"));
  sendMouse(mail, QEvent::MouseMove, {});
  EXPECT_FALSE(web->font().underline());
  EXPECT_TRUE(mail->font().underline());
  sendClick(web);
  sendClick(mail);
  sendClick(web);  // one click, then a double click: opens once
  sendClick(web, QEvent::MouseButtonDblClick);
  // The keyboard reaches the links in the design's tab order and opens them
  // with Enter; a screen reader hears links with their addresses.
  EXPECT_EQ(nextFocusable(web), button);
  EXPECT_EQ(nextFocusable(button), mail);
  press(mail, Qt::Key_Return, "\r");
  QAccessibleInterface* link = QAccessible::queryAccessibleInterface(web);
  EXPECT_EQ(link->role(), QAccessible::Link);
  EXPECT_EQ(link->text(QAccessible::Name), QString(AuthorWebLink));
  EXPECT_EQ(link->text(QAccessible::Value), QString(AuthorWebLink));
  link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(catcher.opened, (QList<QUrl>{QUrl(AuthorWebLink), QUrl(AuthorMailLink), QUrl(AuthorWebLink),
                                         QUrl(AuthorMailLink), QUrl(AuthorWebLink)}));
  QDesktopServices::unsetUrlHandler("https");
  QDesktopServices::unsetUrlHandler("mailto");
  // Without a window manager to take the drag, the dialog follows the pointer.
  const QRect buttonAt = button->geometry();
  const QRect webAt = web->geometry();
  // Where on the frame (0 left or top, 1 right or bottom), the drag, and the
  // edges' moves as QRect::adjusted takes them.
  const struct {
    QPointF at;
    QPoint by;
    int left, top, right, bottom;
  } drags[] = {{{1, 1}, {60, 40}, 0, 0, 60, 40}, {{0, 0}, {-20, -10}, -20, -10, 0, 0}, {{1, 0.5}, {15, 99}, 0, 0, 15, 0}};
  for (const auto& d : drags) {
    const QRect before = about->geometry();
    const QPoint on(qRound(d.at.x() * (before.width() - 1)), qRound(d.at.y() * (before.height() - 1)));
    dragFrame(about, on, d.by);
    EXPECT_EQ(about->geometry(), before.adjusted(d.left, d.top, d.right, d.bottom)) << on.x() << "," << on.y();
    EXPECT_EQ(client->size(), about->size() - QSize(6, 6));
    EXPECT_EQ(button->geometry(), buttonAt);
    EXPECT_EQ(web->geometry(), webAt);
  }
  const QSize resized = about->size();
  dragFrame(about, {100, 100}, {50, 50});  // not on the frame
  EXPECT_EQ(about->size(), resized);
  EXPECT_TRUE(about->grab().save(KERUMO_PICTURES_DIR "/about-resized.png"));
  button->click();
  EXPECT_TRUE(shownWindows("Form2").isEmpty());
}

}  // namespace
}  // namespace kerumo

#include "qt_dialogs_test.moc"
