#include "platform/gui/cursorview.h"

#include <QCursor>
#include <QGuiApplication>

namespace {
bool hidden = false;
}  // namespace

void ApplyCursorVisibility(bool visible) {
  if (visible == !hidden) return;
  hidden = !visible;
  if (hidden) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}
