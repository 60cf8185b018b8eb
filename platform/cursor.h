#pragma once
// The cursor display counter: the cursor shows while the counter is 0 or more. The counter is
// our own; whoever shows the real cursor (the windows layer) observes its visibility.
// User-interface thread only.

#include <functional>

// Adds 1 (show) or takes 1 (hide) and returns the new value. The counter starts at 0.
int ShowCursor(bool show);

// Called with the new visibility whenever the counter crosses between -1 and 0.
using TCursorObserver = std::function<void(bool visible)>;
// Installs the observer (empty: none); returns the one before.
TCursorObserver SetCursorObserver(TCursorObserver observer);
