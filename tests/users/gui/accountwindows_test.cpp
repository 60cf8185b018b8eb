// The password prompt, the new-user and the new-password windows, run modally with a person
// typing into them.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>

#include "foundation/scrypto.h"
#include "foundation/tinioptions.h"
#include "support/faultyfilesystem.h"
#include "support/guiapplication.h"
#include "support/messageboxes.h"
#include "support/person.h"
#include "support/usersroot.h"
#include "support/windowopener.h"
#include "toolkit/codepage.h"
#include "toolkit/exception.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/edit.h"
#include "toolkit/gui/image.h"
#include "toolkit/gui/imagecombobox.h"
#include "toolkit/gui/imagelist.h"
#include "toolkit/gui/label.h"
#include "users/gui/taddnewuserform.h"
#include "users/gui/tauthorizationform.h"
#include "users/gui/tnewpasswordform.h"
#include "users/tuser.h"
#include "users/tusers.h"

namespace {

class AccountWindowsTest : public testing::Test {
protected:
  AccountWindowsTest() { anna = users().Add("Anna"); }

  TUsers& users() { return *app.root().getUsers(); }
  std::string Digest(TUser* user) const {
    return user->getOptions()->ReadString("GENERAL", "Password", "");
  }

  UsersInstallation app;
  MessageBoxes boxes;
  TUser* anna = nullptr;
};

TEST_F(AccountWindowsTest, ThePasswordPromptLetsInOnlyTheRightPassword) {
  anna->setPassword("secret");
  TAuthorizationForm prompt(nullptr, anna);
  EXPECT_EQ(prompt.lbUserName->Caption(), "Anna");
  Soon([&] {
    Type("wrong");
    Press(Qt::Key_Return);
    // Said, emptied, and typed again.
    EXPECT_EQ(prompt.edPassword->Text(), "");
    EXPECT_TRUE(prompt.edPassword->Focused());
    Type("secret");
    Press(Qt::Key_Return);
  });
  EXPECT_EQ(prompt.ShowModal(), mrOk);
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, anna->getMessage("PasswordIncorrect"));
  EXPECT_EQ(boxes.Shown[0].Type, mtInformation);
}

// The code page would keep a letter it lacks as "?": typed at the prompt, such a password is a
// wrong one, not the password with "?" in its place. The prompt also guards the change of a
// password and the deletion of a user.
TEST_F(AccountWindowsTest, APasswordTypedWithALetterTheCodePageLacksIsWrong) {
  struct Case {
    const char* name;
    QString typed;
    bool accepted;
  } cases[] = {
      {"TheQuestionMarkItself", "a?b", true},
      {"ALetterTheCodePageLacks", QString::fromUtf8("aüb"), false},
      {"AnEmoji", QString::fromUtf8("a😀b"), false},
      {"AnotherLetter", "axb", false},
  };
  anna->setPassword("a?b");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.Shown.clear();
    TAuthorizationForm prompt(nullptr, anna);
    prompt.Show();
    static_cast<QLineEdit*>(prompt.edPassword->Handle())->setText(c.typed);
    prompt.acOk->Execute();
    EXPECT_EQ(prompt.ModalResult(), c.accepted ? mrOk : mrNone);
    ASSERT_EQ(boxes.Shown.size(), c.accepted ? 0u : 1u);
    if (!c.accepted) {
      EXPECT_EQ(boxes.Shown[0].Text, anna->getMessage("PasswordIncorrect"));
      EXPECT_EQ(prompt.edPassword->Text(), "");
    }
  }
}

TEST_F(AccountWindowsTest, EscAndTheClosePictureCancelEveryWindow) {
  auto closes = [](TForm& window, TImage* close) {
    Soon([] { Press(Qt::Key_Escape); });
    EXPECT_EQ(window.ShowModal(), mrCancel);
    Soon([close] { Click(close); });
    EXPECT_EQ(window.ShowModal(), mrCancel);
  };
  {
    SCOPED_TRACE("password prompt");
    TAuthorizationForm window(nullptr, anna);
    closes(window, window.imClose);
  }
  {
    SCOPED_TRACE("new user");
    TAddNewUserForm window(nullptr, &app.root());
    closes(window, window.imClose);
  }
  {
    SCOPED_TRACE("new password");
    TNewPasswordForm window(nullptr, anna);
    closes(window, window.imClose);
    EXPECT_EQ(window.getNewPassword(), "");
  }
  EXPECT_EQ(users().getCount(), 1);
  EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(AccountWindowsTest, TheNewUserWindowListsEveryAvatarAndCreatesTheUser) {
  TAddNewUserForm window(nullptr, &app.root());
  Soon([&] {
    ASSERT_EQ(window.imAvatars->Count(), 108);
    ASSERT_EQ(window.jvAvatars->Items()->Count(), 108);
    EXPECT_EQ(window.jvAvatars->Items()->Strings(0), "0");
    EXPECT_EQ(window.jvAvatars->Items()->Strings(107), "107");
    EXPECT_EQ(window.jvAvatars->ItemIndex(), 0);
    ActiveWindow();
    EXPECT_TRUE(window.edNewUserName->Focused());
    window.jvAvatars->setItemIndex(42);
    Type("  Boris ");
    Press(Qt::Key_Tab);
    Type("pass");
    Press(Qt::Key_Tab);
    Type("pass");
    Press(Qt::Key_Return);
  });
  EXPECT_EQ(window.ShowModal(), mrOk);
  TUser* boris = users().Find("Boris");
  ASSERT_NE(boris, nullptr);
  EXPECT_EQ(boris->getAvatar(), 42);
  EXPECT_EQ(Digest(boris), MD5Hex("pass"));
  EXPECT_TRUE(boxes.Shown.empty());
}

// The avatar box's own drop-down: a short list of pictures, 57 pixels wide, rows of 20, no
// numbers; while it is open, Enter picks and Esc closes the list, not the window. The keys
// come to the window as the window system delivers them.
TEST_F(AccountWindowsTest, TheOpenAvatarListTakesEnterAndEscAndShowsOnlyPictures) {
  TAddNewUserForm window(nullptr, &app.root());
  auto* box = qobject_cast<QComboBox*>(window.jvAvatars->Handle());
  QAbstractItemView* list = box->view();
  auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(window.Handle()->windowHandle(), key, modifiers);
  };
  auto open = [&] {
    press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }, 2000));
  };
  Soon([&] {
    ActiveWindow();
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(window.jvAvatars->Focused());
    open();
    const QRect popup = list->window()->geometry();
    EXPECT_EQ(popup.width(), 57);
    EXPECT_LT(popup.height(), 20 * 12);
    EXPECT_EQ(list->visualRect(box->model()->index(0, 0)).height(), 20);
    // Beside the picture the row is empty: the box draws no number there.
    const QRect row = list->visualRect(box->model()->index(7, 0));
    const QImage drawn = list->viewport()->grab(row).toImage();
    int marks = 0;
    for (int x = window.imAvatars->Width() + 8; x < drawn.width(); ++x)
      for (int y = 0; y < drawn.height(); ++y)
        marks += drawn.pixel(x, y) != drawn.pixel(drawn.width() - 1, 0);
    EXPECT_EQ(marks, 0);

    press(Qt::Key_Down);
    press(Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(window.jvAvatars->ItemIndex(), 1);
    EXPECT_EQ(window.ModalResult(), mrNone);
    open();
    press(Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(window.ModalResult(), mrNone);
    EXPECT_TRUE(boxes.Shown.empty());
    press(Qt::Key_Escape);
  });
  EXPECT_EQ(window.ShowModal(), mrCancel);
  EXPECT_EQ(users().getCount(), 1);
}

TEST_F(AccountWindowsTest, TheNewUserWindowSaysWhatIsWrongAndStaysOpen) {
  struct Case {
    const char* name;
    std::string user, password, confirmation;
    const char* message;
    bool passwordsEmptied;
  } cases[] = {
      {"Empty", "", "", "", "Error.UserNameIsRequired", false},
      {"Blanks", "   ", "", "", "Error.UserNameIsRequired", false},
      {"Taken", " Anna ", "x", "x", "Error.UserAlreadyExists", false},
      {"Unsafe", "../x", "", "", "Error.UserNameIsNotAllowed", false},
      {"Dots", "..", "", "", "Error.UserNameIsNotAllowed", false},
      {"Slash", "a/b", "", "", "Error.UserNameIsNotAllowed", false},
      {"Hidden", ".Anna", "", "", "Error.UserNameIsNotAllowed", false},
      {"Differ", "Boris", "one", "two", "Error.PasswordConfirmationIncorrect", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.Shown.clear();
    TAddNewUserForm window(nullptr, &app.root());
    window.Show();
    window.edNewUserName->setText(c.user);
    window.edPassword->setText(c.password);
    window.edPasswordConfirmation->setText(c.confirmation);
    window.acCreateUser->Execute();
    EXPECT_EQ(window.ModalResult(), mrNone);
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Text, window.getMessage(c.message));
    EXPECT_EQ(window.edNewUserName->Text(), c.user);
    EXPECT_EQ(window.edPassword->Text(), c.passwordsEmptied ? "" : c.password);
    EXPECT_EQ(window.edPasswordConfirmation->Text(), c.passwordsEmptied ? "" : c.confirmation);
    EXPECT_EQ(users().getCount(), 1);
  }
}

// "Zoë" would become "Zo?": the window texts, the user list and the profile folder hold the
// name in the system code page, and a folder name in UTF-8 has at most 255 bytes.
TEST_F(AccountWindowsTest, ANameThatCannotBeKeptExactlyIsRefusedNotChanged) {
  QString cyrillic;
  for (int i = 0; i < 128; ++i) cyrillic += QChar(0x0416);
  struct Case {
    const char* name;
    QString typed;
  } cases[] = {
      {"NotInTheCodePage", QString::fromUtf8("Zoë")},
      {"NotInTheCodePageEither", QString::fromUtf8("李")},
      {"TooLongForAFolderInUtf8", cyrillic},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.Shown.clear();
    TAddNewUserForm window(nullptr, &app.root());
    window.Show();
    auto* edit = static_cast<QLineEdit*>(window.edNewUserName->Handle());
    edit->setText(c.typed);
    window.acCreateUser->Execute();
    EXPECT_EQ(window.ModalResult(), mrNone);
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Text, window.getMessage("Error.UserNameCannotBeKept"));
    EXPECT_EQ(edit->text(), c.typed);
    EXPECT_EQ(users().getCount(), 1);
  }
  // One letter less fits.
  TAddNewUserForm window(nullptr, &app.root());
  window.Show();
  static_cast<QLineEdit*>(window.edNewUserName->Handle())->setText(cyrillic.left(127));
  window.acCreateUser->Execute();
  EXPECT_EQ(window.ModalResult(), mrOk);
  EXPECT_EQ(users().getCount(), 2);
}

TEST_F(AccountWindowsTest, ANewUserThatCannotBeSavedIsSaidAndNotMade) {
  TAddNewUserForm window(nullptr, &app.root());
  window.Show();
  window.edNewUserName->setText("Boris");
  window.edPassword->setText("pass");
  window.edPasswordConfirmation->setText("pass");
  {
    FaultyFileSystem disk;
    disk.FillAfter(0);
    window.acCreateUser->Execute();
  }
  EXPECT_EQ(window.ModalResult(), mrNone);
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, window.getMessage("Error.UserNotSaved"));
  EXPECT_EQ(boxes.Shown[0].Type, mtInformation);
  EXPECT_EQ(users().Find("Boris"), nullptr);
  EXPECT_EQ(window.edNewUserName->Text(), "Boris");
  EXPECT_EQ(window.edPassword->Text(), "pass");
  // With room on the disk again the same try makes the user.
  window.acCreateUser->Execute();
  EXPECT_EQ(window.ModalResult(), mrOk);
  ASSERT_NE(users().Find("Boris"), nullptr);
  EXPECT_TRUE(users().Find("Boris")->CheckPassword("pass"));
}

// Another copy of the program on the same data folder made the user since this window opened.
TEST_F(AccountWindowsTest, AUserAnotherCopyMadeMeanwhileIsSaidToExist) {
  TAddNewUserForm window(nullptr, &app.root());
  window.Show();
  window.edNewUserName->setText("Dan");
  window.edPassword->setText("second");
  window.edPasswordConfirmation->setText("second");
  TUsersRoot other;
  ASSERT_NE(other.getUsers()->Add("Dan", "first"), nullptr);
  window.acCreateUser->Execute();
  EXPECT_EQ(window.ModalResult(), mrNone);
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, window.getMessage("Error.UserAlreadyExists"));
  EXPECT_EQ(users().Find("Dan"), nullptr);
  app.Rebuild();
  ASSERT_NE(users().Find("Dan"), nullptr);
  EXPECT_TRUE(users().Find("Dan")->CheckPassword("first"));
}

TEST_F(AccountWindowsTest, ANewUserWithoutPasswordGetsTheDigestOfTheEmptyText) {
  TAddNewUserForm window(nullptr, &app.root());
  window.Show();
  window.edNewUserName->setText(FromUtf8("Пётр"));
  window.acCreateUser->Execute();
  EXPECT_EQ(window.ModalResult(), mrOk);
  TUser* pyotr = users().Find(FromUtf8("Пётр"));
  ASSERT_NE(pyotr, nullptr);
  EXPECT_EQ(Digest(pyotr), MD5Hex(""));
  EXPECT_EQ(pyotr->getAvatar(), 0);
}

TEST_F(AccountWindowsTest, TheNewPasswordWindowTakesTwoEqualTexts) {
  struct Case {
    const char* name;
    std::string password, confirmation;
    bool accepted;
  } cases[] = {
      {"Equal", "new", "new", true},
      {"BothEmpty", "", "", true},
      {"Differ", "new", "New", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.Shown.clear();
    TNewPasswordForm window(nullptr, anna);
    EXPECT_EQ(window.lbUserName->Caption(), "Anna");
    window.Show();
    window.edPassword->setText(c.password);
    window.edPasswordConfirmation->setText(c.confirmation);
    window.acOk->Execute();
    EXPECT_EQ(window.ModalResult(), c.accepted ? mrOk : mrNone);
    EXPECT_EQ(window.getNewPassword(), c.accepted ? c.password : "");
    ASSERT_EQ(boxes.Shown.size(), c.accepted ? 0u : 1u);
    if (c.accepted) continue;
    EXPECT_EQ(boxes.Shown[0].Text, FromUtf8("Содержание полей не совпадает.\r\n"
                                            "Пожалуйста, попробуйте еще раз."));
    EXPECT_EQ(window.edPassword->Text(), "");
    EXPECT_EQ(window.edPasswordConfirmation->Text(), "");
  }
  // The window keeps the password; storing it is its caller's.
  EXPECT_EQ(Digest(anna), MD5Hex(""));
}

// A letter the code page lacks would be digested as "?": "pässword" and "pëssword" would be one
// password, and "p?ssword" would open both.
TEST_F(AccountWindowsTest, APasswordThatCannotBeKeptExactlyIsRefused) {
  struct Case {
    const char* name;
    QString password, confirmation;
    bool accepted;
  } cases[] = {
      {"NotInTheCodePage", QString::fromUtf8("pässword"), QString::fromUtf8("pässword"), false},
      {"TwoThatWouldBeOne", QString::fromUtf8("pässword"), QString::fromUtf8("pëssword"), false},
      {"AsTheCodePageWouldStoreIt", "p?ssword", QString::fromUtf8("pëssword"), false},
      {"Cyrillic", QString::fromUtf8("пароль"), QString::fromUtf8("пароль"), true},
  };
  auto type = [](TEdit* edit, const QString& text) {
    static_cast<QLineEdit*>(edit->Handle())->setText(text);
  };
  // Refused: said, and both edits emptied for the password to be typed anew.
  auto expectRefused = [&](const TMultilangForm& window, TEdit* password, TEdit* confirmation) {
    EXPECT_EQ(window.ModalResult(), mrNone);
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Text, window.getMessage("Error.PasswordCannotBeKept"));
    EXPECT_EQ(password->Text(), "");
    EXPECT_EQ(confirmation->Text(), "");
  };
  const std::string kept = FromUtf8("пароль");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    {
      SCOPED_TRACE("new user");
      boxes.Shown.clear();
      TAddNewUserForm window(nullptr, &app.root());
      window.Show();
      window.edNewUserName->setText(c.name);
      type(window.edPassword, c.password);
      type(window.edPasswordConfirmation, c.confirmation);
      window.acCreateUser->Execute();
      TUser* user = users().Find(c.name);
      if (c.accepted) {
        EXPECT_EQ(window.ModalResult(), mrOk);
        ASSERT_NE(user, nullptr);
        EXPECT_EQ(Digest(user), MD5Hex(kept));
      } else {
        expectRefused(window, window.edPassword, window.edPasswordConfirmation);
        EXPECT_EQ(user, nullptr);
        EXPECT_EQ(window.edNewUserName->Text(), c.name);
      }
    }
    {
      SCOPED_TRACE("new password");
      boxes.Shown.clear();
      TNewPasswordForm window(nullptr, anna);
      window.Show();
      type(window.edPassword, c.password);
      type(window.edPasswordConfirmation, c.confirmation);
      window.acOk->Execute();
      if (c.accepted) {
        EXPECT_EQ(window.ModalResult(), mrOk);
        EXPECT_EQ(window.getNewPassword(), kept);
      } else {
        expectRefused(window, window.edPassword, window.edPasswordConfirmation);
        EXPECT_EQ(window.getNewPassword(), "");
      }
    }
  }
}

TEST_F(AccountWindowsTest, TheWindowsTakeTheirTextsFromTheLocalizationFile) {
  app.Localize(
      "[AddNewUserForm]\r\nlbTitle.Caption=New pupil\r\n"
      "Message.Error.UserNameIsRequired=Name, please\r\n"
      "[NewPasswordForm]\r\nMessage.Error.PasswordConfirmationIncorrrect=Differ\\nagain\r\n"
      "Message.Error.PasswordConfirmationIncorrect=two r\r\n");
  TAddNewUserForm newUser(nullptr, &app.root());
  EXPECT_EQ(newUser.lbTitle->Caption(), "New pupil");
  EXPECT_EQ(newUser.getMessage("Error.UserNameIsRequired"), "Name, please");
  TNewPasswordForm newPassword(nullptr, anna);
  EXPECT_EQ(newPassword.getMessage("Error.PasswordConfirmationIncorrrect"), "Differ\r\nagain");
  EXPECT_THROW(newPassword.getMessage("Error.PasswordConfirmationIncorrect"), Exception);
}

}  // namespace
