#include "platform/qt/qt_controls.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <optional>
#include <utility>

#include "platform/qt/qt_convert.h"

namespace kerumo::qt {
namespace {

constexpr char16_t Backspace = 8;

int buttonBits(Qt::MouseButtons buttons) {
  int bits = 0;
  if (buttons & Qt::LeftButton) bits |= MouseButton::Left;
  if (buttons & Qt::RightButton) bits |= MouseButton::Right;
  if (buttons & Qt::MiddleButton) bits |= MouseButton::Middle;
  return bits;
}

int shiftBits(Qt::KeyboardModifiers modifiers) {
  return ((modifiers & Qt::ShiftModifier) ? 1 : 0) | ((modifiers & Qt::ControlModifier) ? 2 : 0) |
         ((modifiers & Qt::AltModifier) ? 4 : 0);
}

// The characters a key types, as the window system hands them to a field:
// Ctrl with a letter types a control character (Ctrl+V is 22). Keys that
// type nothing (arrows, Delete) or that the dialog takes (Enter, Escape)
// have none.
std::optional<QString> typedText(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Backspace) return QString(QChar(Backspace));
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  const bool control = (modifiers & Qt::ControlModifier) && !(modifiers & (Qt::AltModifier | Qt::MetaModifier));
  if (control && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
    return QString(QChar(static_cast<char16_t>(event.key() - Qt::Key_A + 1)));
  }
  const QString text = event.text();
  if (text.isEmpty() || !text.at(0).isPrint()) return std::nullopt;
  return text;
}

QPointF inParent(QWidget* widget, QMouseEvent* event) {
  return widget->mapToParent(event->position().toPoint());
}

void applyCommon(QWidget* widget, const ControlDesign& design) {
  widget->setGeometry(toPixels(design.rect));
  widget->setFont(toQFont(design.font));
  widget->setVisible(design.visible);
  widget->setEnabled(design.enabled);
  if (!design.toolTip.empty()) widget->setToolTip(toQString(design.toolTip));
}

}  // namespace

void MouseForwarder::pressed(QWidget* widget, QMouseEvent* event) {
  const QPointF p = inParent(widget, event);
  events_.onMouseDown(name_, buttonBits(event->button()), shiftBits(event->modifiers()), toTwips(1) * p.x(),
                      toTwips(1) * p.y());
  event->accept();
}

void MouseForwarder::moved(QWidget* widget, QMouseEvent* event) {
  const QPointF p = inParent(widget, event);
  events_.onMouseMove(name_, buttonBits(event->buttons()), shiftBits(event->modifiers()), toTwips(1) * p.x(),
                      toTwips(1) * p.y(), MoveOrigin::Pointer);
  event->accept();
}

void MouseForwarder::doubleClicked() { events_.onDoubleClick(name_); }

void MouseForwarder::clicked() { events_.onClick(name_); }

// A click is a press and a release over the same label. A double click is
// one click and then one double click, as Windows delivers them: the
// release that ends it clicks no second time.
void FormLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool endsDoubleClick = std::exchange(releaseEndsDoubleClick_, false);
  if (event->button() == Qt::LeftButton && !endsDoubleClick && rect().contains(event->position().toPoint())) {
    clicked();
  }
  event->accept();
}

void FormLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  releaseEndsDoubleClick_ = event->button() == Qt::LeftButton;
  doubleClicked();
}

FormLabel::FormLabel(QWidget* parent, const ControlDesign& design, FormEvents& events)
    : QLabel(parent), MouseForwarder(events, design.name), design_(design),
      designBox_(toPixelBox(toPixels(design.rect))) {
  setObjectName(toQString(design.name));
  applyCommon(this, design);
  if (design.transparent) {
    setAttribute(Qt::WA_TranslucentBackground);
  } else {
    setAutoFillBackground(true);
  }
  setMouseTracking(true);
  setAlignment((design.alignment == Alignment::Right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, toQColor(design.foreColour));
  setPalette(palette);
  setCaption(toQString(design.caption));
  // A link is reached with Tab like a button; the mouse still only clicks.
  if (design.link) setFocusPolicy(Qt::TabFocus);
}

void FormLabel::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (design_.link && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
    clicked();
    event->accept();
    return;
  }
  QLabel::keyPressEvent(event);
}

void FormLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!hasFocus()) return;
  QStylePainter painter(this);
  QStyleOptionFocusRect focus;
  focus.initFrom(this);
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

void FormLabel::setCaption(const QString& text) {
  setText(text);
  fitToText();
}

void FormLabel::fitToText() {
  const QSize size = sizeHint();
  setGeometry(toQRect(labelBox(design_, designBox_, size.width(), size.height())));
}

ShapeWidget::ShapeWidget(QWidget* parent, const ControlDesign& design)
    : QWidget(parent), fill_(toQColor(design.fillColour)), border_(toQColor(design.borderColour)) {
  setObjectName(toQString(design.name));
  applyCommon(this, design);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  // A shape fills its whole box, so nothing beneath it needs repainting.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ShapeWidget::paintEvent(QPaintEvent*) {
  if (width() <= 0) return;
  QPainter painter(this);
  painter.fillRect(rect(), fill_);
  painter.setPen(border_);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

ImageWidget::ImageWidget(QWidget* parent, const ControlDesign& design, FormEvents& events)
    : QWidget(parent), MouseForwarder(events, design.name), pixmap_(toQPixmap(design.picture)) {
  setObjectName(toQString(design.name));
  applyCommon(this, design);
}

void ImageWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(rect(), pixmap_);
}

FormTextBox::FormTextBox(QWidget* parent, const ControlDesign& design, FormEvents& events)
    : QLineEdit(parent), events_(events), name_(design.name) {
  setObjectName(toQString(design.name));
  applyCommon(this, design);
  setText(toQString(design.caption));
  if (!design.inputMethod) {
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhNoPredictiveText);
  }
}

QString FormTextBox::filtered(const QString& typed) {
  QString kept;
  for (const QChar c : typed) {
    int keyAscii = c.unicode();
    events_.onKeyPress(name_, keyAscii);
    if (keyAscii != 0) kept.append(QChar(static_cast<char16_t>(keyAscii)));
  }
  return kept;
}

void FormTextBox::keyPressEvent(QKeyEvent* event) {
  const std::optional<QString> typed = typedText(*event);
  if (!typed) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const QString kept = filtered(*typed);
  if (kept == *typed) {
    QLineEdit::keyPressEvent(event);
  } else {
    if (!kept.isEmpty()) insert(kept);
    event->accept();
  }
}

// Text an input method commits still goes through the filter; what it is
// composing is not shown, since only the commit could reach the field.
void FormTextBox::inputMethodEvent(QInputMethodEvent* event) {
  const QString kept = filtered(event->commitString());
  if (!kept.isEmpty()) insert(kept);
  event->accept();
}

QCheckBox* makeCheckBox(QWidget* parent, const ControlDesign& design, FormEvents& events) {
  auto* box = new QCheckBox(toQString(design.caption), parent);
  box->setObjectName(toQString(design.name));
  applyCommon(box, design);
  QObject::connect(box, &QCheckBox::clicked, [&events, name = design.name] { events.onClick(name); });
  return box;
}

QPushButton* makeButton(QWidget* parent, const ControlDesign& design, FormEvents& events) {
  auto* button = new QPushButton(toQString(design.caption), parent);
  button->setObjectName(toQString(design.name));
  applyCommon(button, design);
  QObject::connect(button, &QPushButton::clicked, [&events, name = design.name] { events.onClick(name); });
  return button;
}

}  // namespace kerumo::qt
