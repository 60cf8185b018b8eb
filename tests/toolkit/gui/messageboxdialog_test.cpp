#include "toolkit/gui/messageboxdialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <string>

#include "support/guiapplication.h"

namespace {

// Presses a button of the real box as soon as it shows, and notes what the box says.
struct Presser {
  QMessageBox::StandardButton button;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;

  void PressWhenShown() {
    QTimer::singleShot(10, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return PressWhenShown();
      text = box->text();
      icon = box->icon();
      box->button(button)->click();
    });
  }
};

struct DialogCase {
  const char* name;
  TMsgDlgType type;
  QMessageBox::StandardButton press;
  TModalResult result;
  QMessageBox::Icon icon;
};

TEST(MessageBoxDialogTest, ShowsTheTextAndAnswersWithTheButtonPressed) {
  const DialogCase cases[] = {
      {"information", mtInformation, QMessageBox::Ok, mrOk, QMessageBox::Information},
      {"error", mtError, QMessageBox::Ok, mrOk, QMessageBox::Critical},
      {"confirmation, yes", mtConfirmation, QMessageBox::Yes, mrYes, QMessageBox::Question},
      {"confirmation, no", mtConfirmation, QMessageBox::No, mrNo, QMessageBox::Question},
  };
  for (const DialogCase& c : cases) {
    SCOPED_TRACE(c.name);
    Presser presser;
    presser.button = c.press;
    presser.PressWhenShown();
    EXPECT_EQ(ShowMessageBoxDialog("\xD3\xE4\xE0\xEB\xE8\xF2\xFC?", c.type), c.result);
    EXPECT_EQ(presser.text, QString::fromUtf8("Удалить?")) << "the system code page";
    EXPECT_EQ(presser.icon, c.icon);
  }
}

}  // namespace
