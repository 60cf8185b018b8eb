#include "platform/gui/keystate.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

#include "platform/keycodes.h"

namespace {

constexpr int kCapsLockScanCode = 58;
// The lock's bit in a key event's native modifiers: X11's and that of the Wayland keymaps.
constexpr unsigned kLockModifier = 0x2;

bool followedCapsLock = false;
// The display's lock state is asked once per key event, not once per key drawn.
bool displayLockKnown = false;
bool displayLock = false;

// None where the program does not run on X11.
Display* X11Display() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->display() : nullptr;
}

// The display's own lock state; false where the program does not run on X11.
bool X11CapsLock(bool& locked) {
  Display* display = X11Display();
  if (!display) return false;
  if (!displayLockKnown) {
    XkbStateRec state;
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success) return false;
    displayLock = (state.locked_mods & LockMask) != 0;
    displayLockKnown = true;
  }
  locked = displayLock;
  return true;
}

const TKeyState kSystemKeyState;
const TKeyState* installed = &kSystemKeyState;

}  // namespace

bool TKeyState::IsKeyDown(int virtualKey) const {
  // The modifiers of the latest input event: asking the display would cost a round trip for
  // every key drawn.
  Qt::KeyboardModifiers held = QGuiApplication::keyboardModifiers();
  switch (virtualKey) {
    case VK_CONTROL: return held & Qt::ControlModifier;
    case VK_MENU: return held & Qt::AltModifier;
    case VK_SHIFT: return held & Qt::ShiftModifier;
    default: return false;
  }
}

bool TKeyState::IsKeyToggled(int virtualKey) const {
  if (virtualKey != VK_CAPITAL) return false;
  bool locked = false;
  return X11CapsLock(locked) ? locked : followedCapsLock;
}

const TKeyState& KeyState() { return *installed; }

const TKeyState* SetKeyState(const TKeyState* state) {
  const TKeyState* previous = installed;
  installed = state ? state : &kSystemKeyState;
  return previous == &kSystemKeyState ? nullptr : previous;
}

void NoteKeyEvent(int scanCode, bool down, bool autoRepeat, unsigned nativeModifiers) {
  displayLockKnown = false;
  if (scanCode != kCapsLockScanCode) {
    // Any other key carries the lock as it stands, also one switched on before the program ran.
    followedCapsLock = (nativeModifiers & kLockModifier) != 0;
  } else if (down && !autoRepeat) {
    followedCapsLock = !followedCapsLock;
  }
}

void RepeatHeldKeysAsPressesOnly() {
  // By default the server sends a release before each repeat, and whether the toolkit marks it
  // as a repeat depends on whether the next press has arrived yet.
  Bool supported = False;
  if (Display* display = X11Display()) XkbSetDetectableAutoRepeat(display, True, &supported);
}
