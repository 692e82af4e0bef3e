#include "platform/qt/frame_resize.h"

#include <QMouseEvent>
#include <QWindow>
#include <algorithm>

namespace kerumo::qt {
namespace {

constexpr int CornerReach = 16;  // pixels along each edge from a corner

Qt::CursorShape cursorFor(Qt::Edges edges) {
  const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
  const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
  if (horizontal && vertical) {
    const bool falling = edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge);
    return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
  }
  return horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

}  // namespace

Qt::Edges FrameResizer::edgesAt(QPoint point) const {
  const QSize size = window_.size();
  const int reach = std::max(border_, CornerReach);
  const bool onLeft = point.x() < border_, onRight = point.x() >= size.width() - border_;
  const bool onTop = point.y() < border_, onBottom = point.y() >= size.height() - border_;
  if (!onLeft && !onRight && !onTop && !onBottom) return {};
  Qt::Edges edges;
  if (onLeft || ((onTop || onBottom) && point.x() < reach)) edges |= Qt::LeftEdge;
  if (onRight || ((onTop || onBottom) && point.x() >= size.width() - reach)) edges |= Qt::RightEdge;
  if (onTop || ((onLeft || onRight) && point.y() < reach)) edges |= Qt::TopEdge;
  if (onBottom || ((onLeft || onRight) && point.y() >= size.height() - reach)) edges |= Qt::BottomEdge;
  return edges;
}

bool FrameResizer::press(QMouseEvent* event) {
  const Qt::Edges edges = edgesAt(event->position().toPoint());
  if (!edges || event->button() != Qt::LeftButton) return false;
  QWindow* handle = window_.windowHandle();
  if (handle && handle->startSystemResize(edges)) return true;
  dragged_ = edges;
  startPointer_ = event->globalPosition().toPoint();
  startGeometry_ = window_.geometry();
  return true;
}

bool FrameResizer::move(QMouseEvent* event) {
  if (dragged_ && (event->buttons() & Qt::LeftButton)) {
    const QSize minimum(std::max(window_.minimumWidth(), 2 * border_ + 1),
                        std::max(window_.minimumHeight(), 2 * border_ + 1));
    window_.setGeometry(resizedBy(startGeometry_, dragged_, event->globalPosition().toPoint() - startPointer_, minimum));
    return true;
  }
  const Qt::Edges edges = edgesAt(event->position().toPoint());
  if (edges) {
    window_.setCursor(cursorFor(edges));
  } else {
    window_.unsetCursor();
  }
  return bool(edges);
}

bool FrameResizer::release(QMouseEvent*) {
  const bool wasDragging = bool(dragged_);
  dragged_ = {};
  return wasDragging;
}

QRect resizedBy(const QRect& start, Qt::Edges edges, QPoint delta, QSize minimum) {
  QRect r = start;
  if (edges & Qt::LeftEdge) r.setLeft(std::min(start.left() + delta.x(), start.right() + 1 - minimum.width()));
  if (edges & Qt::RightEdge) r.setRight(std::max(start.right() + delta.x(), start.left() + minimum.width() - 1));
  if (edges & Qt::TopEdge) r.setTop(std::min(start.top() + delta.y(), start.bottom() + 1 - minimum.height()));
  if (edges & Qt::BottomEdge) r.setBottom(std::max(start.bottom() + delta.y(), start.top() + minimum.height() - 1));
  return r;
}

}  // namespace kerumo::qt
