#include "platform/gui/windowlock.h"

#include <QPointer>
#include <QWidget>

#include "toolkit/gui/wincontrol.h"

namespace {
// A window that goes while locked simply ends the lock.
QPointer<QWidget> locked;
}  // namespace

bool LockWindowUpdate(TWinControl* window) {
  if (!window) {
    if (locked) locked->setUpdatesEnabled(true);
    locked = nullptr;
    return true;
  }
  if (locked) return false;
  locked = window->Handle();
  locked->setUpdatesEnabled(false);
  return true;
}
