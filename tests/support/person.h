#pragma once
// A person at the keyboard and mouse of the windows under test. What it does is queued with
// Soon and done once the message loop turns, so a test can start a modal run and act inside
// it; keys go to the widget with the focus in the active window, as they would on a screen.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>

#include "toolkit/gui/control.h"

inline void Soon(std::function<void()> act) { QTimer::singleShot(0, std::move(act)); }

// The active window, once the window system has made one active.
inline QWidget* ActiveWindow() {
  if (!QTest::qWaitFor([] { return QApplication::activeWindow() != nullptr; }, 2000))
    ADD_FAILURE() << "no window became active";
  return QApplication::activeWindow();
}

inline QWidget* KeyTarget() {
  QWidget* window = ActiveWindow();
  QWidget* focus = QApplication::focusWidget();
  return focus ? focus : window;
}

inline void Press(Qt::Key key) { QTest::keyClick(KeyTarget(), key); }

inline void Type(const char* latin) { QTest::keyClicks(KeyTarget(), latin); }

// A physical key, by its X11 key code, pressed and released on the active window as the window
// system delivers it: the training screen takes its keys from the keyboard hook, which goes by
// the key's place, not by Qt's key.
inline void PressKeyCode(quint32 keyCode) {
  for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, keyCode, 0, 0);
    QCoreApplication::sendEvent(ActiveWindow()->windowHandle(), &event);
  }
}

inline void Click(TControl* control, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mouseClick(control->Handle(), button, {}, control->Handle()->rect().center());
}

// A click on the row of a list view or list box, by row from the top.
inline void ClickRow(TControl* list, int row, bool twice = false) {
  auto* view = qobject_cast<QAbstractItemView*>(list->Handle());
  QPoint at = view->visualRect(view->model()->index(row, 0)).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  if (twice) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}
