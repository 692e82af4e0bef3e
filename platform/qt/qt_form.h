#pragma once
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/form_window.h"
#include "platform/qt/frame_resize.h"
#include "platform/qt/qt_accessible.h"

class QEventLoop;

namespace kerumo::qt {

class QtForm;

// The form's pop-up menu. Given to a StatusNotifierItem tray, Qt mirrors
// each action in an item of a D-Bus menu, and frees such an item only when
// its action leaves the menu, not when the menu is deleted with it: the
// menu therefore empties itself first.
class FormMenu : public QMenu {
 public:
  using QMenu::QMenu;
  ~FormMenu() override;
  FormMenu(const FormMenu&) = delete;
  FormMenu& operator=(const FormMenu&) = delete;
};

// The form's client area: paints the background picture and reports the
// surface's own mouse events. A move the core asks for starts only once the
// pointer, button down, has gone past the drag distance, so that a click or
// a double click without motion stays with the form.
class ClientArea : public QWidget {
 public:
  ClientArea(QWidget* parent, const FormDesign& design, FormEvents& events);
  // Moves the window with the pointer from the last press until release:
  // by the window manager where there is one, else by hand.
  void moveOnDrag();
  // The screen reader's items standing for the labels, where the form has any.
  const AccessibleFigures* figures() const { return figures_; }
  void setFigures(const AccessibleFigures* figures) { figures_ = figures; }
  // The controls in the design's creation order, which is the order a
  // person reads them in; the stacking order is its reverse.
  const std::vector<QPointer<QWidget>>& readingOrder() const { return readingOrder_; }
  void setReadingOrder(std::vector<QPointer<QWidget>> order) { readingOrder_ = std::move(order); }

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void startMove(QPoint pointer);

  FormEvents& events_;
  QPixmap background_;
  QColor backColour_;
  std::optional<QPoint> dragOffset_;
  QPoint lastPress_;
  bool moveArmed_ = false;
  const AccessibleFigures* figures_ = nullptr;
  std::vector<QPointer<QWidget>> readingOrder_;
};

// The top-level window around the client area.
class FormFrame : public QWidget {
 public:
  FormFrame(const FormDesign& design, FormEvents& events);
  ClientArea* client() const { return client_; }
  void closeWithoutAsking();
  void setVisible(bool visible) override;

 protected:
  void paintEvent(QPaintEvent*) override;
  void showEvent(QShowEvent* event) override;

  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  FormEvents& events_;
  ClientArea* client_;
  bool inTaskbar_;
  int border_;
  bool closingByProgram_ = false;
  std::optional<FrameResizer> resizer_;  // a resizable frame only
};

class QtForm : public FormWindow {
 public:
  QtForm(const FormDesign& design, FormEvents& events);
  ~QtForm() override;

  void setLeft(double twips) override;
  void setTop(double twips) override;
  double left() const override;
  double top() const override;
  double width() const override;
  double height() const override;
  void setVisible(bool visible) override;
  bool isVisible() const override;
  int32_t setWindowPos(InsertAfter insertAfter, uint32_t flags) override;
  void setForeground() override;
  void beginSystemMove() override;
  void setCaption(const std::string& control, const std::string& text) override;
  std::string text(const std::string& control) const override;
  void setWidth(const std::string& control, double twips) override;
  void setControlVisible(const std::string& control, bool visible) override;
  void setEnabled(const std::string& control, bool enabled) override;
  void setForeColour(const std::string& control, Colour colour) override;
  void setUnderline(const std::string& control, bool underline) override;
  void setChecked(const std::string& control, bool checked) override;
  bool isChecked(const std::string& control) const override;
  void setFocus(const std::string& control) override;
  void setFigure(const std::string& figure, const FigureReading& reading) override;
  void setTimerEnabled(const std::string& timer, bool enabled) override;
  void setMenuVisible(bool visible) override;
  void setMenuItemChecked(const std::string& item, bool checked) override;
  void popupMenu() override;
  void showModal() override;
  void close() override;

  FormEvents& events() { return events_; }
  FormFrame* frame() const { return frame_.get(); }
  QMenu* menu() const { return menu_.get(); }
  QWidget* control(const std::string& name) const;

 private:
  void createControls(const FormDesign& design);
  void createMenu(const MenuDesign& design);
  void nameForScreenReaders(const FormDesign& design);
  void placeFrame();

  FormEvents& events_;
  std::unique_ptr<FormFrame> frame_;
  std::map<std::string, QWidget*> controls_;
  std::map<std::string, QTimer*> timers_;
  std::unique_ptr<AccessibleFigures> figures_;
  std::unique_ptr<FormMenu> menu_;
  std::map<std::string, QAction*> menuItems_;
  std::map<std::string, bool> menuChecks_;
  bool centred_;
  QEventLoop* modalLoop_ = nullptr;
  QPointer<QWidget> pendingFocus_;
};

}  // namespace kerumo::qt
