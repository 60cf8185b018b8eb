#pragma once
// Moving a window with the mouse while the left button is held, for frameless windows that
// are dragged by their background: through the window system's move where it offers one,
// else by following the mouse until the button is released. User-interface thread only.

#include <functional>

class QPoint;
class QWindow;
class TControl;
class TForm;

// The window system's own move of a window, held by the point of the screen where it was
// gripped; true when the window system moves it. The platform layer installs it; with none
// installed, or where it answers false, the window follows the mouse. Returns the one before.
using TWindowSystemMove = std::function<bool(QWindow* window, const QPoint& grip)>;
TWindowSystemMove SetWindowSystemMove(TWindowSystemMove move);

// Starts the move at once, from the left button's press at (x, y) of the control pressed (the
// window or one of its controls). Every time the window has moved, `moved` runs through the
// dispatch, so another window can follow it; a new drag of the same window replaces the one
// before.
void DragWindow(TForm* form, TControl* pressed, int x, int y, std::function<void()> moved);
