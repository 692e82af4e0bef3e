#include "platform/qt/qt_form.h"

#include <QCloseEvent>
#include <QCursor>
#include <QEventLoop>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QStyleHints>
#include <QWindow>
#include <cassert>

#include "platform/form_layout.h"
#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/x11_window.h"

namespace kerumo::qt {
namespace {

Qt::WindowFlags frameFlags(const FormDesign& design) {
  Qt::WindowFlags flags = Qt::Window;
  switch (design.frame) {
    case FrameStyle::FixedSingleNoCaption:
    case FrameStyle::SizableNoCaption:
      flags |= Qt::FramelessWindowHint;
      break;
    case FrameStyle::FixedToolWindow:
      flags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
      break;
  }
  // A tool window stays out of the task bar.
  if (!design.showInTaskbar) flags |= Qt::Tool;
  return flags;
}

// Frames we draw ourselves, in pixels; a tool window gets the window
// manager's.
int drawnBorder(FrameStyle frame) {
  switch (frame) {
    case FrameStyle::FixedSingleNoCaption: return 1;
    case FrameStyle::SizableNoCaption: return 3;
    case FrameStyle::FixedToolWindow: return 0;
  }
  return 0;
}

// The colours a drawn control shows in on this desktop.
ControlDesign inDesktopColours(const FormDesign& form, ControlDesign control) {
  const DesktopColours desktop = desktopColours();
  control.foreColour = shownColour(form, control, control.foreColour, desktop);
  control.borderColour = shownColour(form, control, control.borderColour, desktop);
  return control;
}

int buttonBits(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return 0;
  }
}

}  // namespace

ClientArea::ClientArea(QWidget* parent, const FormDesign& design, FormEvents& events)
    : QWidget(parent), events_(events), backColour_(toQColor(shownBackColour(design, desktopColours()))) {
  setObjectName("client");
  // The picture is drawn at the corner and clipped: keep only what shows.
  const QPixmap picture = drawsPicture(design, desktopColours()) ? toQPixmap(design.background) : QPixmap();
  if (!picture.isNull()) {
    const QRect shown(0, 0, toPixels(design.clientWidth), toPixels(design.clientHeight));
    background_ = picture.copy(shown.intersected(picture.rect()));
  }
  // It fills itself (colour, then picture), so the frame beneath is left alone.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  const QSize size(toPixels(design.clientWidth), toPixels(design.clientHeight));
  // A resizable frame's client area grows and shrinks with it; the
  // controls keep their places.
  if (design.frame == FrameStyle::SizableNoCaption) {
    resize(size);
  } else {
    setFixedSize(size);
  }
}

void ClientArea::moveOnDrag() { moveArmed_ = true; }

// The window first catches up with the pointer, so that it moves by all of
// the drag, the distance before the hand-over included.
void ClientArea::startMove(QPoint pointer) {
  moveArmed_ = false;
  QWidget* frame = window();
  const QPoint caughtUp = frame->pos() + pointer - lastPress_;
  QWindow* handle = frame->windowHandle();
  requestMove(handle, caughtUp);
  if (handle && handle->startSystemMove()) return;
  // No window manager to move us: follow the pointer ourselves.
  dragOffset_ = lastPress_ - frame->pos();
  frame->move(caughtUp);
}

void ClientArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), backColour_);
  if (!background_.isNull()) painter.drawPixmap(0, 0, background_);
}

void ClientArea::mousePressEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  lastPress_ = event->globalPosition().toPoint();
  events_.onMouseDown("", buttonBits(event->button()), 0, toTwips(1) * p.x(), toTwips(1) * p.y());
}

void ClientArea::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pointer = event->globalPosition().toPoint();
  if (moveArmed_ && (event->buttons() & Qt::LeftButton) &&
      (pointer - lastPress_).manhattanLength() >= QGuiApplication::styleHints()->startDragDistance()) {
    startMove(pointer);
    return;
  }
  if (dragOffset_ && (event->buttons() & Qt::LeftButton)) {
    window()->move(pointer - *dragOffset_);
    return;
  }
  const QPointF p = event->position();
  events_.onMouseMove("", 0, 0, toTwips(1) * p.x(), toTwips(1) * p.y(), MoveOrigin::Pointer);
}

void ClientArea::mouseReleaseEvent(QMouseEvent*) {
  moveArmed_ = false;
  dragOffset_.reset();
}

void ClientArea::mouseDoubleClickEvent(QMouseEvent*) { events_.onDoubleClick(""); }

FormFrame::FormFrame(const FormDesign& design, FormEvents& events)
    : QWidget(nullptr, frameFlags(design)), events_(events), inTaskbar_(design.showInTaskbar),
      border_(drawnBorder(design.frame)) {
  setObjectName(QString::fromStdString(design.name));
  setWindowTitle(toQString(design.caption));
  if (design.icon != Picture::None) setWindowIcon(QIcon(toQPixmap(design.icon)));
  client_ = new ClientArea(this, design, events);
  client_->move(border_, border_);
  const QSize outer = client_->size() + QSize(2 * border_, 2 * border_);
  if (design.frame == FrameStyle::SizableNoCaption) {
    resize(outer);
    resizer_.emplace(*this, border_);
    setMouseTracking(true);
    client_->setCursor(Qt::ArrowCursor);  // not the frame's resize cursor
  } else {
    setFixedSize(outer);
  }
}

// Only the frame lies outside the client area, so the frame's own mouse
// events are all on its border.
void FormFrame::mousePressEvent(QMouseEvent* event) {
  if (!resizer_ || !resizer_->press(event)) QWidget::mousePressEvent(event);
}

void FormFrame::mouseMoveEvent(QMouseEvent* event) {
  if (!resizer_ || !resizer_->move(event)) QWidget::mouseMoveEvent(event);
}

void FormFrame::mouseReleaseEvent(QMouseEvent* event) {
  if (!resizer_ || !resizer_->release(event)) QWidget::mouseReleaseEvent(event);
}

void FormFrame::resizeEvent(QResizeEvent* event) {
  if (resizer_) client_->resize(size() - QSize(2 * border_, 2 * border_));
  QWidget::resizeEvent(event);
}

void FormFrame::closeWithoutAsking() {
  closingByProgram_ = true;
  QWidget::close();
  closingByProgram_ = false;
}

void FormFrame::paintEvent(QPaintEvent*) {
  if (border_ == 0) return;
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Mid));
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// A tool window alone does not keep every task bar away. The window
// manager reads the states when the window maps and forgets them when it is
// withdrawn, so they are set before every map. A changed window flag makes
// Qt create a new native window as it maps it, with nothing to hear in
// between: that one is asked for the states once mapped.
void FormFrame::showEvent(QShowEvent* event) {
  if (!inTaskbar_ && !event->spontaneous()) skipTaskbarBeforeMap(windowHandle());
  QWidget::showEvent(event);
}

void FormFrame::setVisible(bool visible) {
  const bool mapping = visible && !isVisible();
  QWidget::setVisible(visible);
  if (mapping && !inTaskbar_) skipTaskbarWhenMapped(windowHandle());
}

void FormFrame::keyPressEvent(QKeyEvent* event) {
  // Escape asks a dialog to close, like the window system's close command.
  if (event->key() == Qt::Key_Escape && windowModality() != Qt::NonModal) {
    events_.onUnload();
    return;
  }
  QWidget::keyPressEvent(event);
}

void FormFrame::closeEvent(QCloseEvent* event) {
  if (closingByProgram_) {
    event->accept();
    return;
  }
  // The form decides what a close from the window system means.
  event->ignore();
  events_.onUnload();
}

// Removing the actions, rather than leaving them to the menu's children,
// is what makes Qt free the tray's copies of them.
FormMenu::~FormMenu() { clear(); }

QtForm::QtForm(const FormDesign& design, FormEvents& events)
    : events_(events), frame_(std::make_unique<FormFrame>(design, events)),
      centred_(design.startPosition == StartPosition::CenterScreen) {
  createControls(design);
  nameForScreenReaders(design);
  if (design.menu) createMenu(*design.menu);
}

QtForm::~QtForm() {
  for (auto& [name, timer] : timers_) timer->stop();
  frame_->client()->setFigures(nullptr);
}

// A window without a caption still needs a name; a field is named by the
// label in front of it; figures are read as items of their own.
void QtForm::nameForScreenReaders(const FormDesign& design) {
  if (!design.accessibleName.empty()) frame_->setAccessibleName(toQString(design.accessibleName));
  for (const ControlDesign& c : design.controls) {
    if (c.labelledBy.empty()) continue;
    auto* label = dynamic_cast<QLabel*>(control(c.labelledBy));
    if (!label) continue;
    label->setBuddy(control(c.name));
    control(c.name)->setAccessibleName(label->text());
  }
  if (design.figures.empty()) return;
  figures_ = std::make_unique<AccessibleFigures>(frame_->client(), design, controls_);
  frame_->client()->setFigures(figures_.get());
}

void QtForm::createControls(const FormDesign& design) {
  ClientArea* client = frame_->client();
  std::vector<QWidget*> stacking;
  for (const auto& c : design.controls) {
    QWidget* widget = nullptr;
    switch (c.kind) {
      case ControlKind::Timer: {
        auto* timer = new QTimer(frame_.get());
        timer->setObjectName(toQString(c.name));
        timer->setInterval(c.timerIntervalMs);
        QObject::connect(timer, &QTimer::timeout, [this, name = c.name] { events_.onTimer(name); });
        timers_[c.name] = timer;
        continue;
      }
      case ControlKind::Label: widget = new FormLabel(client, inDesktopColours(design, c), events_); break;
      case ControlKind::Shape: widget = new ShapeWidget(client, inDesktopColours(design, c)); break;
      case ControlKind::Image: widget = new ImageWidget(client, c, events_); break;
      case ControlKind::TextBox: widget = new FormTextBox(client, c, events_); break;
      case ControlKind::CheckBox: widget = makeCheckBox(client, c, events_); break;
      case ControlKind::Button: widget = makeButton(client, c, events_); break;
    }
    controls_[c.name] = widget;
    stacking.push_back(widget);
  }
  // Controls created earlier lie above later ones.
  for (auto it = stacking.rbegin(); it != stacking.rend(); ++it) (*it)->raise();
  client->setReadingOrder({stacking.begin(), stacking.end()});
  const std::vector<std::string> tabbed = tabOrder(design);
  for (size_t i = 1; i < tabbed.size(); ++i) QWidget::setTabOrder(controls_[tabbed[i - 1]], controls_[tabbed[i]]);
}

void QtForm::createMenu(const MenuDesign& design) {
  menu_ = std::make_unique<FormMenu>(toQString(design.caption));
  menu_->setObjectName(QString::fromStdString(design.name));
  for (const auto& item : design.items) {
    if (item.caption == "-") {
      menu_->addSeparator();
      continue;
    }
    QAction* action = menu_->addAction(toQString(item.caption));
    action->setObjectName(QString::fromStdString(item.name));
    action->setEnabled(item.enabled);
    action->setVisible(item.visible);
    menuChecks_[item.name] = item.checked;
    // The check mark is the form's to set: undo Qt's own toggle before
    // telling the form.
    QObject::connect(action, &QAction::triggered, [this, action, name = item.name] {
      action->setChecked(menuChecks_[name]);
      events_.onMenuCommand(name);
    });
    menuItems_[item.name] = action;
  }
}

QWidget* QtForm::control(const std::string& name) const {
  const auto it = controls_.find(name);
  assert(it != controls_.end() && "the form's design has no control of this name");
  return it == controls_.end() ? nullptr : it->second;
}

void QtForm::setLeft(double twips) { frame_->move(toPixels(twips), frame_->y()); }
void QtForm::setTop(double twips) { frame_->move(frame_->x(), toPixels(twips)); }
double QtForm::left() const { return toTwips(frame_->frameGeometry().x()); }
double QtForm::top() const { return toTwips(frame_->frameGeometry().y()); }
double QtForm::width() const { return toTwips(frame_->frameGeometry().width()); }
double QtForm::height() const { return toTwips(frame_->frameGeometry().height()); }

void QtForm::placeFrame() {
  if (!centred_) return;
  centred_ = false;
  const PixelPoint origin =
      centredOrigin(toPixelBox(QGuiApplication::primaryScreen()->availableGeometry()), frame_->width(), frame_->height());
  frame_->move(origin.x, origin.y);
}

void QtForm::setVisible(bool visible) {
  if (visible) placeFrame();
  frame_->setVisible(visible);
  if (visible && pendingFocus_) {
    frame_->activateWindow();
    pendingFocus_->setFocus(Qt::OtherFocusReason);
    pendingFocus_ = nullptr;
  }
}

bool QtForm::isVisible() const { return frame_->isVisible(); }

int32_t QtForm::setWindowPos(InsertAfter insertAfter, uint32_t flags) {
  const bool topmost = insertAfter == InsertAfter::Topmost;
  const bool wasVisible = frame_->isVisible();
  if (frame_->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != topmost) {
    // Changing a window flag hides the window; put it back where it was.
    const QPoint position = frame_->pos();
    frame_->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    frame_->move(position);
  }
  if ((flags & WindowPosFlag::ShowWindow) || wasVisible) frame_->show();
  if (topmost) frame_->raise();
  return 1;
}

void QtForm::setForeground() {
  frame_->raise();
  frame_->activateWindow();
}

void QtForm::beginSystemMove() { frame_->client()->moveOnDrag(); }

void QtForm::setCaption(const std::string& name, const std::string& text) {
  QWidget* widget = control(name);
  if (auto* label = dynamic_cast<FormLabel*>(widget)) label->setCaption(toQString(text));
  else if (auto* edit = dynamic_cast<QLineEdit*>(widget)) edit->setText(toQString(text));
  else if (auto* button = dynamic_cast<QAbstractButton*>(widget)) button->setText(toQString(text));
}

std::string QtForm::text(const std::string& name) const {
  QWidget* widget = control(name);
  if (auto* edit = dynamic_cast<QLineEdit*>(widget)) return edit->text().toStdString();
  if (auto* label = dynamic_cast<QLabel*>(widget)) return label->text().toStdString();
  if (auto* button = dynamic_cast<QAbstractButton*>(widget)) return button->text().toStdString();
  return {};
}

void QtForm::setWidth(const std::string& name, double twips) {
  if (QWidget* widget = control(name)) {
    widget->resize(std::max(0, toPixels(twips)), widget->height());
    widget->update();
  }
}

void QtForm::setControlVisible(const std::string& name, bool visible) {
  if (QWidget* widget = control(name)) widget->setVisible(visible);
}

void QtForm::setEnabled(const std::string& name, bool enabled) {
  if (QWidget* widget = control(name)) widget->setEnabled(enabled);
}

void QtForm::setForeColour(const std::string& name, Colour colour) {
  if (QWidget* widget = control(name)) {
    auto* label = dynamic_cast<FormLabel*>(widget);
    if (label && label->isLink()) colour = shownLinkColour(colour, desktopColours());
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, toQColor(colour));
    widget->setPalette(palette);
  }
}

void QtForm::setUnderline(const std::string& name, bool underline) {
  if (auto* label = dynamic_cast<FormLabel*>(control(name))) {
    QFont font = label->font();
    font.setUnderline(underline);
    label->setFont(font);
    label->setCaption(label->text());
  }
}

void QtForm::setChecked(const std::string& name, bool checked) {
  if (auto* box = dynamic_cast<QAbstractButton*>(control(name))) box->setChecked(checked);
}

bool QtForm::isChecked(const std::string& name) const {
  auto* box = dynamic_cast<QAbstractButton*>(control(name));
  return box && box->isChecked();
}

void QtForm::setFocus(const std::string& name) {
  QWidget* widget = control(name);
  if (!widget) return;
  // A hidden widget takes no focus; hand it over once the window shows.
  if (frame_->isVisible()) {
    widget->setFocus(Qt::OtherFocusReason);
  } else {
    pendingFocus_ = widget;
  }
}

void QtForm::setFigure(const std::string& figure, const FigureReading& reading) {
  if (figures_) figures_->set(figure, reading);
}

void QtForm::setTimerEnabled(const std::string& name, bool enabled) {
  const auto it = timers_.find(name);
  assert(it != timers_.end() && "the form's design has no timer of this name");
  if (it == timers_.end()) return;
  if (enabled && !it->second->isActive()) it->second->start();
  if (!enabled) it->second->stop();
}

// The menu is only ever popped up: this window never shows a menu bar.
void QtForm::setMenuVisible(bool) {}

void QtForm::setMenuItemChecked(const std::string& item, bool checked) {
  const auto it = menuItems_.find(item);
  assert(it != menuItems_.end() && "the form's menu has no item of this name");
  if (it == menuItems_.end()) return;
  menuChecks_[item] = checked;
  it->second->setCheckable(true);
  it->second->setChecked(checked);
}

void QtForm::popupMenu() {
  if (menu_) menu_->exec(QCursor::pos());
}

void QtForm::showModal() {
  frame_->setWindowModality(Qt::ApplicationModal);
  setVisible(true);
  frame_->activateWindow();
  QEventLoop loop;
  modalLoop_ = &loop;
  loop.exec();
  modalLoop_ = nullptr;
}

void QtForm::close() {
  frame_->closeWithoutAsking();
  if (modalLoop_) modalLoop_->quit();
}

}  // namespace kerumo::qt
