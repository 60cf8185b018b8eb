#pragma once
// Puts a key state of the test's choosing in place of the system's: Ctrl, Alt and Caps Lock
// as the test sets them. The system's state is back when the object goes.

#include "platform/gui/keystate.h"
#include "platform/keycodes.h"

class HeldKeys : public TKeyState {
public:
  HeldKeys() { Previous = SetKeyState(this); }
  ~HeldKeys() override { SetKeyState(Previous); }
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

  bool IsKeyDown(int virtualKey) const override {
    return (virtualKey == VK_CONTROL && Ctrl) || (virtualKey == VK_MENU && Alt);
  }
  bool IsKeyToggled(int virtualKey) const override { return virtualKey == VK_CAPITAL && CapsLock; }

  bool Ctrl = false, Alt = false, CapsLock = false;

private:
  const TKeyState* Previous = nullptr;
};
