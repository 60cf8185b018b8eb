#pragma once
// Runs a window modally the way a person would: once the run has started and the window's own
// activation has run, `during` looks at the window (or acts on it), and then the key, unless it
// is Qt::Key_unknown, is pressed on it. A key that does
// not end the run fails the test after a few seconds (the run ends with mrOk) instead of
// hanging it.

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <functional>

#include "toolkit/gui/form.h"

inline TModalResult RunModalAndPress(TForm* form, Qt::Key key,
                                     const std::function<void()>& during = {}) {
  const TNotifyEvent activate = form->OnActivate;
  // Posted after the activation, which may process messages itself, so it comes in the run.
  form->OnActivate = [form, key, during, activate](TObject* sender) {
    if (activate) activate(sender);
    QTimer::singleShot(0, form->Handle(), [form, key, during] {
      // Activation by the window system comes later than the run's own.
      if (!QTest::qWaitForWindowActive(form->Handle()))
        ADD_FAILURE() << "the window never got active";
      if (during) during();
      if (key != Qt::Key_unknown) QTest::keyClick(form->Handle(), key);
    });
  };
  QTimer::singleShot(5000, form->Handle(), [form] { form->setModalResult(mrOk); });
  const TModalResult result = form->ShowModal();
  form->OnActivate = activate;
  return result;
}
