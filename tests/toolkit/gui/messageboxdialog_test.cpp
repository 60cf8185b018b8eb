#include "toolkit/gui/messageboxdialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

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

// The buttons speak the language of the texts in force: Russian with the system's own texts
// (Cyrillic), English with Western ones.
TEST(MessageBoxDialogTest, TheButtonsSpeakTheLanguageOfTheTexts) {
  struct Case {
    const char* name;
    int codePage;
    TMsgDlgType type;
    std::vector<QString> buttons;
  } cases[] = {
      {"RussianConfirmation", 1251, mtConfirmation, {"Да", "Нет"}},
      {"RussianInformation", 1251, mtInformation, {"ОК"}},
      {"EnglishConfirmation", 1252, mtConfirmation, {"Yes", "No"}},
      {"EnglishError", 1252, mtError, {"OK"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetMessageDlgCodePage(c.codePage);
    std::vector<QString> shown;
    QTimer::singleShot(10, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      for (QAbstractButton* button : box->buttons()) shown.push_back(button->text());
      box->buttons().front()->click();
    });
    ShowMessageBoxDialog("?", c.type);
    std::sort(shown.begin(), shown.end());
    std::vector<QString> expected = c.buttons;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
  }
  SetMessageDlgCodePage(1251);
}

}  // namespace
