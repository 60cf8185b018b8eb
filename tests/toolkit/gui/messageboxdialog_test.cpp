#include "toolkit/gui/messageboxdialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "support/guiapplication.h"
#include "support/millisecondclock.h"
#include "toolkit/codepage.h"

namespace {

// Presses a button of the real box as soon as it shows, and notes what the box says.
struct Presser {
  QMessageBox::StandardButton button;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  // When set, the box is answered by this key instead, pressed and released on the focused
  // button; one it does not take leaves the answer to its first button.
  Qt::Key key = Qt::Key_unknown;
  bool keyTaken = false;
  // When set, the clock moves on by this much before the key.
  MillisecondClock* clock = nullptr;
  int64_t after = 0;
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
        if (clock) clock->Now += after;
        QWidget* focused = box->focusWidget() ? box->focusWidget() : box;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(focused, &press);
        QApplication::sendEvent(focused, &release);
        // A button's mnemonic clicks it a moment later, later still on a busy machine.
        keyTaken =
            QTest::qWaitFor([box] { return QApplication::activeModalWidget() != box; }, 2000);
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
    // Answered as a person answers who has read the box (an error box holds keys back first).
    MillisecondClock clock;
    Presser presser;
    presser.key = c.answer;
    presser.clock = &clock;
    presser.after = 1000;
    presser.PressWhenShown();
    EXPECT_EQ(ShowMessageBoxDialog("?", c.type), c.result);
    EXPECT_TRUE(presser.keyTaken);
    EXPECT_EQ(presser.captions, c.captions);
  }
  SetMessageDlgCodePage(kSystemCodePage);
}

// An error comes unasked, under a typist's hands: its box takes no Space or Enter in its first
// half second. Other boxes, shown in answer to what the person did, take them at once.
TEST(MessageBoxDialogTest, AnErrorBoxTakesNoSpaceOrEnterInItsFirstHalfSecond) {
  struct Case {
    const char* name;
    TMsgDlgType type;
    Qt::Key key;
    int64_t after;
    bool taken;
  } cases[] = {
      {"ErrorEnterAtOnce", mtError, Qt::Key_Return, 0, false},
      {"ErrorSpaceAlmostHalfASecond", mtError, Qt::Key_Space, 499, false},
      {"ErrorKeypadEnter", mtError, Qt::Key_Enter, 100, false},
      {"ErrorEnterAfterHalfASecond", mtError, Qt::Key_Return, 500, true},
      {"ErrorSpaceAfterHalfASecond", mtError, Qt::Key_Space, 800, true},
      {"InformationEnterAtOnce", mtInformation, Qt::Key_Return, 0, true},
      {"InformationSpaceAtOnce", mtInformation, Qt::Key_Space, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MillisecondClock clock;
    Presser presser;
    presser.key = c.key;
    presser.clock = &clock;
    presser.after = c.after;
    presser.PressWhenShown();
    EXPECT_EQ(ShowMessageBoxDialog("?", c.type), mrOk);
    EXPECT_EQ(presser.keyTaken, c.taken);
  }
}

}  // namespace
