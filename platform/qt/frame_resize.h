#pragma once
#include <QPoint>
#include <QRect>
#include <QWidget>

class QMouseEvent;

namespace kerumo::qt {

// Resizes a top-level window by the frame it draws itself: the window
// manager takes the drag where there is one; otherwise the window follows
// the pointer until the button is released.
class FrameResizer {
 public:
  FrameResizer(QWidget& window, int border) : window_(window), border_(border) {}

  // Each answers whether the event was the frame's.
  bool press(QMouseEvent* event);
  bool move(QMouseEvent* event);
  bool release(QMouseEvent* event);

  // The edges a point of the window lies on; the corners reach a little way
  // along the edges, so that they are easy to grab.
  Qt::Edges edgesAt(QPoint point) const;

 private:
  QWidget& window_;
  int border_;
  Qt::Edges dragged_;  // while the window follows the pointer
  QPoint startPointer_;
  QRect startGeometry_;
};

// `start` with the `edges` moved by `delta`, no smaller than `minimum`; the
// opposite edges stay put.
QRect resizedBy(const QRect& start, Qt::Edges edges, QPoint delta, QSize minimum);

}  // namespace kerumo::qt
