#include "toolkit/gui/messageboxdialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "support/guiapplication.h"
#include "toolkit/codepage.h"

namespace {

// Presses a button of the real box as soon as it shows, and notes what the box says.
struct Presser {
  QMessageBox::StandardButton button;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  // When set, the box is answered by this key instead; one it does not take leaves the answer
  // to its first button.
  Qt::Key key = Qt::Key_unknown;
  bool keyTaken = false;
  // The captions of all its buttons, sorted.
  std::vector<QString> captions;

  void PressWhenShown() {
    QTimer::singleShot(10, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return PressWhenShown();
      text = box->text();
      icon = box->icon();
      for (QAbstractButton* shown : box->buttons()) captions.push_back(shown->text());
      std::sort(captions.begin(), captions.end());
      if (key != Qt::Key_unknown) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(box, &press);
        keyTaken = press.isAccepted();
        if (!keyTaken) box->buttons().front()->click();
      } else {
        box->button(button)->click();
      }
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

// The buttons speak the language of the texts in force: Russian with the system's own texts
// (Cyrillic), English with Western ones; Yes and No answer to their first letter.
TEST(MessageBoxDialogTest, TheButtonsSpeakTheLanguageOfTheTexts) {
  struct Case {
    const char* name;
    int codePage;
    TMsgDlgType type;
    Qt::Key answer;
    TModalResult result;
    std::vector<QString> captions;
  } cases[] = {
      {"RussianConfirmation", 1251, mtConfirmation, Qt::Key(u'Д'), mrYes, {"&Да", "&Нет"}},
      {"RussianInformation", 1251, mtInformation, Qt::Key_Return, mrOk, {"ОК"}},
      {"EnglishConfirmation", 1252, mtConfirmation, Qt::Key_N, mrNo, {"&No", "&Yes"}},
      {"EnglishError", 1252, mtError, Qt::Key_Return, mrOk, {"OK"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetMessageDlgCodePage(c.codePage);
    Presser presser;
    presser.key = c.answer;
    presser.PressWhenShown();
    EXPECT_EQ(ShowMessageBoxDialog("?", c.type), c.result);
    EXPECT_TRUE(presser.keyTaken);
    EXPECT_EQ(presser.captions, c.captions);
  }
  SetMessageDlgCodePage(kSystemCodePage);
}

}  // namespace
