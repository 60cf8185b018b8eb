#pragma once
// Forces the mouse cursor visible or hidden whatever the cursor display counter stands at.
// User-interface thread only.

// Moves the counter by one, at least once, until it is 0 or more (show) or below 0 (hide).
void ShowMouseCursor(bool show);
