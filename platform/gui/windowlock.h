#pragma once
// The window update lock: while a window is locked its drawing is frozen, and releasing it
// draws what changed in one step. One window at a time, as on the original platform: locking
// while another is locked fails, and a release (none) frees whichever is locked.
// User-interface thread only.

class TWinControl;

// False when another window is locked already.
bool LockWindowUpdate(TWinControl* window);
