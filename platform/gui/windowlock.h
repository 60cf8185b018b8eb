#pragma once
// The window update lock: while a window is locked its drawing is frozen, and releasing it
// draws what changed meanwhile, and only that, in one step. One window at a time, as on the
// original platform: locking while another is locked fails, and a release (none) frees
// whichever is locked.
// User-interface thread only.

class TWinControl;

// False when another window is locked already.
bool LockWindowUpdate(TWinControl* window);

// Freezes the window's drawing while the object lives. Only a lock it took is released, and it
// is released also when an error leaves the scope, so no window is left frozen.
class TWindowUpdateLock {
public:
  explicit TWindowUpdateLock(TWinControl* window) : locked_(LockWindowUpdate(window)) {}
  ~TWindowUpdateLock() {
    if (locked_) LockWindowUpdate(nullptr);
  }
  TWindowUpdateLock(const TWindowUpdateLock&) = delete;
  TWindowUpdateLock& operator=(const TWindowUpdateLock&) = delete;

private:
  bool locked_;
};
