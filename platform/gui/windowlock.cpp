#include "platform/gui/windowlock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include "toolkit/gui/wincontrol.h"

namespace {

// Holds back the paints of the window it watches. Qt paints a window when the window takes an
// update request, whatever changed in it and whoever asked; the requests wait here, and Qt
// keeps adding what changes to what it will paint. Disabling the window's updates instead would
// forget what changed and repaint all of it at the release. Lives as a child of the window.
class THeldPaints : public QObject {
public:
  explicit THeldPaints(QWidget* window) : QObject(window) { window->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::UpdateRequest) return false;
    held = true;
    return true;
  }
  bool held = false;
};

// A window that goes while locked takes its filter along and simply ends the lock.
QPointer<THeldPaints> locked;

}  // namespace

bool LockWindowUpdate(TWinControl* window) {
  if (!window) {
    if (!locked) return true;
    QWidget* frozen = static_cast<QWidget*>(locked->parent());
    const bool held = locked->held;
    delete locked;
    // What changed meanwhile is painted in one step, at the next turn of the loop.
    if (held)
      QCoreApplication::postEvent(frozen, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    return true;
  }
  if (locked) return false;
  locked = new THeldPaints(window->Handle());
  return true;
}
