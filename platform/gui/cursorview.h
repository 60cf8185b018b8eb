#pragma once
// Shows the cursor display counter's state on the screen: a blank override cursor over every
// window of the program while the counter is below 0. User-interface thread only.

// Hides or shows the cursor now; the counter's observer (platform/cursor.h).
void ApplyCursorVisibility(bool visible);
