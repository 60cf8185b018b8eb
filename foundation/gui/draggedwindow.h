#pragma once
// Frameless windows that a person drags by their background (the login and start windows):
// the hidden main window follows each such window to its new place, so that windows opened
// later come up where the person put the last one. User-interface thread only.

#include "toolkit/gui/events.h"

class TForm;
class TObject;

// From a mouse press at (x, y) of the window's background (the window or a control of it, the
// sender of the press): with the left button, drags the window and moves the main window to
// its left and top after each move; other buttons do nothing.
void DragWithMainWindow(TForm* form, TObject* pressed, TMouseButton button, int x, int y);
