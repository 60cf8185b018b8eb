#pragma once
// Frameless windows that a person drags by their background (the login and start windows):
// the hidden main window follows each such window to its new place, so that windows opened
// later come up where the person put the last one. User-interface thread only.

#include "toolkit/gui/events.h"

class TForm;

// From a mouse press on the window's background: with the left button, drags the window and
// moves the main window to its left and top after each move; other buttons do nothing.
void DragWithMainWindow(TForm* form, TMouseButton button);
