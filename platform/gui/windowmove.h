#pragma once
// The window manager's move of a window (toolkit/gui/windowdrag.h), held by the point of the
// screen where the person gripped it. User-interface thread only.

class QPoint;
class QWindow;

// On X11: asks the window manager to move the window with the pointer, from the grip, when it
// offers the move; elsewhere Qt's own move. True when the window manager moves the window.
bool StartWindowManagerMove(QWindow* window, const QPoint& grip);
