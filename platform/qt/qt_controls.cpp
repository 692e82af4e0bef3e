#include "platform/qt/qt_controls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/qt_convert.h"

namespace kerumo::qt {
namespace {

int buttonBits(Qt::MouseButtons buttons) {
  int bits = 0;
  if (buttons & Qt::LeftButton) bits |= MouseButton::Left;
  if (buttons & Qt::RightButton) bits |= MouseButton::Right;
  if (buttons & Qt::MiddleButton) bits |= MouseButton::Middle;
  return bits;
}

int shiftBits(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
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
                      toTwips(1) * p.y());
  event->accept();
}

void MouseForwarder::doubleClicked() { events_.onDoubleClick(name_); }

void MouseForwarder::clicked() { events_.onClick(name_); }

// A click is a press and a release over the same label.
void FormLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) clicked();
  event->accept();
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
}

void FormTextBox::keyPressEvent(QKeyEvent* event) {
  // Only typed characters pass the filter; editing keys such as the arrows
  // reach the field directly.
  const QString text = event->text();
  const bool backspace = event->key() == Qt::Key_Backspace;
  if (!backspace && (text.isEmpty() || !text.at(0).isPrint())) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  int keyAscii = backspace ? 8 : static_cast<int>(text.at(0).unicode());
  events_.onKeyPress(name_, keyAscii);
  if (keyAscii != 0) QLineEdit::keyPressEvent(event);
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
