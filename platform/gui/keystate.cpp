#include "platform/gui/keystate.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

#include "platform/keycodes.h"

namespace {

bool trackedCapsLock = false;

// The display's own lock state, or false where the program does not run on X11.
bool X11CapsLock(bool& locked) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->display()) return false;
  XkbStateRec state;
  if (XkbGetState(x11->display(), XkbUseCoreKbd, &state) != Success) return false;
  locked = (state.locked_mods & LockMask) != 0;
  return true;
}

}  // namespace

bool IsKeyDown(int virtualKey) {
  Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
  switch (virtualKey) {
    case VK_CONTROL: return held & Qt::ControlModifier;
    case VK_MENU: return held & Qt::AltModifier;
    case VK_SHIFT: return held & Qt::ShiftModifier;
    default: return false;
  }
}

bool IsKeyToggled(int virtualKey) {
  if (virtualKey != VK_CAPITAL) return false;
  bool locked = false;
  return X11CapsLock(locked) ? locked : trackedCapsLock;
}

void NoteCapsLockPress(bool autoRepeat) {
  // A held Caps Lock toggles once.
  if (!autoRepeat) trackedCapsLock = !trackedCapsLock;
}
