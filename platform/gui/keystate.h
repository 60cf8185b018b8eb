#pragma once
// The keyboard's state now: whether Ctrl, Alt or Shift is held (the window system's current
// modifiers, as of the latest input event) and whether Caps Lock is toggled on, as of the latest
// key event the hooks took (so a key taken late keeps the lock it was typed with; before the
// first one, the X11 lock state where the program runs on an X11 display). Every caller asks
// through KeyState(), so a test can put keys of its choosing in place. User-interface thread
// only.

class TKeyState {
public:
  virtual ~TKeyState() = default;
  // VK_CONTROL, VK_MENU or VK_SHIFT (either side) is down now.
  virtual bool IsKeyDown(int virtualKey) const;
  // VK_CAPITAL is toggled on; false for any other key.
  virtual bool IsKeyToggled(int virtualKey) const;
};

const TKeyState& KeyState();
// Puts `state` in place of the real one (nullptr restores it); returns the one before. The
// caller keeps ownership and keeps it alive while installed.
const TKeyState* SetKeyState(const TKeyState* state);

// The hooks report every key event here with the window system's modifier state of the event:
// any key but Caps Lock brings the followed lock in line with the lock bit of that state; a
// Caps Lock press (once while held) turns it to the opposite of that bit on X11, whose events
// carry the state before the key, and elsewhere toggles it.
void NoteKeyEvent(int scanCode, bool down, bool autoRepeat, unsigned nativeModifiers);

// The hooks call it as they start: a key held on an X11 display then repeats as presses only,
// with no release between them. Nothing elsewhere.
void RepeatHeldKeysAsPressesOnly();
