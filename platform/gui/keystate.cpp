#include "platform/gui/keystate.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

#include "platform/keycodes.h"

namespace {

constexpr int kCapsLockScanCode = 58;
// The lock's bit in a key event's native modifiers: X11's and that of the Wayland keymaps.
constexpr unsigned kLockModifier = 0x2;

// The lock as the latest key event carried it; before the first one, the display's own.
bool keySeen = false;
bool followedCapsLock = false;

// None where the program does not run on X11.
Display* X11Display() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->display() : nullptr;
}

// The display's lock state as the program starts (false where it does not run on X11), asked
// once: a key typed later may be taken late, after the lock changed again.
bool X11CapsLockAtStart() {
  static const bool locked = [] {
    Display* display = X11Display();
    XkbStateRec state;
    return display && XkbGetState(display, XkbUseCoreKbd, &state) == Success &&
           (state.locked_mods & LockMask) != 0;
  }();
  return locked;
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
  return keySeen ? followedCapsLock : X11CapsLockAtStart();
}

const TKeyState& KeyState() { return *installed; }

const TKeyState* SetKeyState(const TKeyState* state) {
  const TKeyState* previous = installed;
  installed = state ? state : &kSystemKeyState;
  return previous == &kSystemKeyState ? nullptr : previous;
}

void NoteKeyEvent(int scanCode, bool down, bool autoRepeat, unsigned nativeModifiers) {
  keySeen = true;
  // The state an X11 key event carries is the one just before the key.
  const bool lockedBefore = (nativeModifiers & kLockModifier) != 0;
  if (scanCode != kCapsLockScanCode) {
    // Any other key carries the lock as it stands, also one switched on before the program ran.
    followedCapsLock = lockedBefore;
  } else if (down && !autoRepeat) {
    followedCapsLock = X11Display() ? !lockedBefore : !followedCapsLock;
  }
}

void RepeatHeldKeysAsPressesOnly() {
  // By default the server sends a release before each repeat, and whether the toolkit marks it
  // as a repeat depends on whether the next press has arrived yet.
  Bool supported = False;
  if (Display* display = X11Display()) XkbSetDetectableAutoRepeat(display, True, &supported);
}
