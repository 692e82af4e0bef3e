#pragma once
#include <QPoint>

class QWindow;

namespace kerumo::qt {

// What the X11 window manager is asked for on Qt's own connection, where Qt
// has no call of its own. Each does nothing when Qt runs on another window
// system.

// Keeps an unmapped window out of task bars and pagers: adds
// _NET_WM_STATE_SKIP_TASKBAR and _NET_WM_STATE_SKIP_PAGER to the states the
// window manager reads when the window maps (Qt merges its own into them).
void skipTaskbarBeforeMap(QWindow* window);
// The same for a window that is mapped already.
void skipTaskbarWhenMapped(QWindow* window);

// Moves the window to `topLeft` behind Qt's back: Qt keeps the geometry it
// knew until the server reports the move. Ordered before any later request
// on the same connection, such as the window manager's move.
void requestMove(QWindow* window, QPoint topLeft);

}  // namespace kerumo::qt
