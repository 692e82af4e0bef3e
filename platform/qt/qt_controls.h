#pragma once
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>
#include <string>

#include "platform/form_design.h"
#include "platform/form_layout.h"
#include "platform/form_window.h"

namespace kerumo::qt {

// Reports a control's mouse events to the form's events in twips, relative
// to the form's client area.
class MouseForwarder {
 public:
  MouseForwarder(FormEvents& events, std::string name) : events_(events), name_(std::move(name)) {}
  void pressed(QWidget* widget, QMouseEvent* event);
  void moved(QWidget* widget, QMouseEvent* event);
  void doubleClicked();
  void clicked();

 protected:
  FormEvents& events_;
  std::string name_;
};

// A windowless-style label: transparent, sized to its text, anchored on the
// side its alignment names.
class FormLabel : public QLabel, private MouseForwarder {
 public:
  FormLabel(QWidget* parent, const ControlDesign& design, FormEvents& events);
  void setCaption(const QString& text);
  bool isLink() const { return design_.link; }
  // Opens a link as a click does.
  void activate() { clicked(); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override { pressed(this, event); }
  void mouseMoveEvent(QMouseEvent* event) override { moved(this, event); }
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;

 private:
  void fitToText();
  ControlDesign design_;
  PixelBox designBox_;
  bool releaseEndsDoubleClick_ = false;
};

// A filled rectangle with a one-pixel outline; the mouse passes through it.
class ShapeWidget : public QWidget {
 public:
  ShapeWidget(QWidget* parent, const ControlDesign& design);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QColor fill_;
  QColor border_;
};

// A picture stretched over its box.
class ImageWidget : public QWidget, private MouseForwarder {
 public:
  ImageWidget(QWidget* parent, const ControlDesign& design, FormEvents& events);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* event) override { pressed(this, event); }
  void mouseDoubleClickEvent(QMouseEvent*) override { doubleClicked(); }

 private:
  QPixmap pixmap_;
};

// A text field whose typed characters go through the form's key filter,
// one by one, whether a key or an input method delivers them.
class FormTextBox : public QLineEdit {
 public:
  FormTextBox(QWidget* parent, const ControlDesign& design, FormEvents& events);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  QString filtered(const QString& typed);

  FormEvents& events_;
  std::string name_;
};

QCheckBox* makeCheckBox(QWidget* parent, const ControlDesign& design, FormEvents& events);
QPushButton* makeButton(QWidget* parent, const ControlDesign& design, FormEvents& events);

}  // namespace kerumo::qt
