#pragma once
// The window update lock: while a window is locked its drawing is frozen, and releasing it
// draws what changed in one step. One window at a time, as on the original platform: locking
// while another is locked fails, and a release (none) frees whichever is locked.
// User-interface thread only.

class TWinControl;

// False when another window is locked already.
bool LockWindowUpdate(TWinControl* window);

// Freezes a window's drawing for one scope. Only a lock this scope took is released, so a scope
// nested in another one's lock leaves it in force; it is released also when the scope is left
// by an error, so no window is left frozen.
class TUpdateLock {
public:
  explicit TUpdateLock(TWinControl* window) : locked_(LockWindowUpdate(window)) {}
  ~TUpdateLock() {
    if (locked_) LockWindowUpdate(nullptr);
  }
  TUpdateLock(const TUpdateLock&) = delete;
  TUpdateLock& operator=(const TUpdateLock&) = delete;

private:
  bool locked_;
};
