#include "users/gui/tloginform.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/scrypto.h"
#include "foundation/tinioptions.h"
#include "support/guiapplication.h"
#include "support/messageboxes.h"
#include "support/person.h"
#include "support/usersroot.h"
#include "support/windowopener.h"
#include "toolkit/codepage.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/image.h"
#include "toolkit/gui/imagelist.h"
#include "toolkit/gui/listview.h"
#include "toolkit/gui/popupmenu.h"
#include "users/tuser.h"
#include "users/tuserlock.h"
#include "users/tusers.h"

namespace {

using Rows = std::vector<std::pair<std::string, int>>;

class LoginFormTest : public testing::Test {
public:
  static Rows RowsOf(const TLoginForm& login) {
    Rows rows;
    for (int i = 0; i < login.lvUserList->Count(); ++i)
      rows.emplace_back(login.lvUserList->Items(i)->Caption(),
                        login.lvUserList->Items(i)->ImageIndex());
    return rows;
  }

protected:
  TUsers& users() { return *app.root().getUsers(); }
  TUser* Add(const char* utf8, int avatar) {
    TUser* user = users().Add(FromUtf8(utf8));
    user->setAvatar(avatar);
    return user;
  }
  UsersInstallation app;
  MessageBoxes boxes;
  StubWindows windows{app.root()};
};

TEST_F(LoginFormTest, WithNoUsersTheNewUserWindowComesFirst) {
  {
    SCOPED_TRACE("cancelled: no login window");
    TLoginForm login(nullptr, &app.root());
    bool shown = false;
    login.OnShow = [&](TObject*) { shown = true; };
    EXPECT_EQ(login.SelectUser(), nullptr);
    EXPECT_FALSE(shown);
    EXPECT_EQ(windows.Opened, std::vector<std::string>{"AddNewUser"});
  }
  SCOPED_TRACE("a user made: the login window lists it, not selected");
  windows.AddNewUser = [this] { return users().Add("Anna") != nullptr; };
  TLoginForm login(nullptr, &app.root());
  Soon([&] {
    EXPECT_EQ(RowsOf(login), (Rows{{"Anna", 0}}));
    EXPECT_EQ(login.lvUserList->Selected(), nullptr);
    Press(Qt::Key_Escape);
  });
  EXPECT_EQ(login.SelectUser(), nullptr);
}

// Profiles the list passed over are said before anyone is chosen, once in the run.
TEST_F(LoginFormTest, ProfilesThatAreNotListedAreSaidOnceBeforeTheList) {
  namespace fs = std::filesystem;
  Add("Anna", 0);
  fs::create_directories(app.getUsersDir() + "/Elsewhere");
  TempDir::Write(app.getUsersDir() + "/Elsewhere.ini", "[GENERAL]\r\n");
  fs::create_symlink(app.getUsersDir() + "/Elsewhere.ini",
                     app.getUsersDir() + "/Elsewhere/Profile.ini");
  app.Rebuild();
  StubWindows again{app.root()};
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass);
    TLoginForm login(nullptr, &app.root());
    Soon([&] {
      EXPECT_EQ(RowsOf(login), (Rows{{"Anna", 0}}));
      Press(Qt::Key_Escape);
    });
    EXPECT_EQ(login.SelectUser(), nullptr);
    ASSERT_EQ(boxes.Shown.size(), 1u);
  }
  EXPECT_NE(
      boxes.Shown[0].Text.find("'Elsewhere': " + users().getMessage("Unlisted.ProfileIsLink")),
      std::string::npos);
}

TEST_F(LoginFormTest, RowsStandInAlphabeticalOrderWithTheirAvatars) {
  Add("Яна", 3);
  Add("Ёлка", 107);
  Add("Егор", 500);
  Add("Boris", 1)->getOptions()->WriteString("GENERAL", "Avatar", "seven");
  Add("ева", 2);
  TLoginForm login(nullptr, &app.root());
  login.acUpdate->Execute();
  // Out of range as stored (it draws nothing); not a number: no picture.
  EXPECT_EQ(RowsOf(login), (Rows{{"Boris", -1},
                                 {FromUtf8("ева"), 2},
                                 {FromUtf8("Егор"), 500},
                                 {FromUtf8("Ёлка"), 107},
                                 {FromUtf8("Яна"), 3}}));
  EXPECT_EQ(login.imAvatars->Count(), 108);
  EXPECT_EQ(login.imAvatars->Width(), 32);
  EXPECT_EQ(login.imAvatars->Height(), 20);
}

TEST(LoginForm, ProfilesEmptyOrFullOfGarbageStillListTheirUsers) {
  namespace fs = std::filesystem;
  UsersInstallation app;
  fs::create_directories(app.getUsersDir() + "/Bare");
  TempDir::Write(app.getUsersDir() + "/Bare/Profile.ini", "");
  // A folder without a profile is nobody's.
  fs::create_directories(app.getUsersDir() + "/Music");
  fs::create_directories(app.getUsersDir() + "/Garbage");
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 37) % 256));
  TempDir::Write(app.getUsersDir() + "/Garbage/Profile.ini", garbage);
  fs::create_directories(app.getUsersDir() + "/Half");
  TempDir::Write(app.getUsersDir() + "/Half/Profile.ini", "[GENERAL]\r\nAvatar=\xFF\xFE\r\n[Start");
  TLoginForm login(nullptr, &app.root());
  login.acUpdate->Execute();
  EXPECT_EQ(LoginFormTest::RowsOf(login), (Rows{{"Bare", 0}, {"Garbage", 0}, {"Half", -1}}));
  EXPECT_TRUE(fs::is_regular_file(app.getUsersDir() + "/Bare/Profile.ini"));
  EXPECT_TRUE(app.root().getUsers()->Find("Garbage")->CheckPassword(""));
}

TEST_F(LoginFormTest, ALeftClickOnARowStartsThatUser) {
  Add("Anna", 0);
  TUser* boris = Add("Boris", 1);
  TLoginForm login(nullptr, &app.root());
  Soon([&] {
    ActiveWindow();
    ClickRow(login.lvUserList, 1);
  });
  EXPECT_EQ(login.SelectUser(), boris);
}

TEST_F(LoginFormTest, EnterWithNoRowChosenEndsLikeEsc) {
  Add("Anna", 0);
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    TLoginForm login(nullptr, &app.root());
    Soon([key] { Press(key); });
    EXPECT_EQ(login.SelectUser(), nullptr);
  }
}

// Up and Down choose a row when none is chosen yet, so Enter then starts that user; until
// then no row looks chosen, though the list has the focus.
TEST_F(LoginFormTest, TheArrowKeysChooseARowForEnter) {
  struct Case {
    const char* name;
    std::vector<const char*> users;
    std::vector<Qt::Key> keys;
    const char* chosen;
  } cases[] = {
      // Users are added as the cases go, never removed.
      {"DownChoosesTheOnlyOne", {"Anna"}, {Qt::Key_Down}, "Anna"},
      {"UpChoosesTheOnlyOne", {"Anna"}, {Qt::Key_Up}, "Anna"},
      {"DownChoosesTheFirst", {"Anna", "Boris"}, {Qt::Key_Down}, "Anna"},
      {"UpChoosesTheFirst", {"Anna", "Boris"}, {Qt::Key_Up}, "Anna"},
      {"ThenDownGoesOn", {"Anna", "Boris"}, {Qt::Key_Down, Qt::Key_Down}, "Boris"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* name : c.users)
      if (!users().Find(name)) Add(name, 0);
    TLoginForm login(nullptr, &app.root());
    QWidget* list = login.lvUserList->Handle();
    Soon([&] {
      ActiveWindow();
      list->clearFocus();
      const QImage unfocused = list->grab().toImage();
      list->setFocus(Qt::TabFocusReason);
      EXPECT_TRUE(list->grab().toImage() == unfocused) << "a row looks chosen";
      for (Qt::Key key : c.keys) Press(key);
      Press(Qt::Key_Return);
    });
    TUser* chosen = login.SelectUser();
    EXPECT_EQ(chosen ? chosen->getName() : "none", c.chosen);
  }
}

TEST_F(LoginFormTest, InsertAddsAUserInItsSortedPlaceAndKeepsTheRememberedOne) {
  TUser* boris = Add("Boris", 1);
  Add("Dora", 2);
  windows.AddNewUser = [this] { return Add("Clara", 5) != nullptr; };
  TLoginForm login(nullptr, &app.root());
  Soon([&] {
    // Chosen with the keyboard: the selection moves, nothing starts.
    ActiveWindow();
    login.lvUserList->SetFocus();
    Press(Qt::Key_Down);
    Press(Qt::Key_Up);
    EXPECT_EQ(login.getSelectedUser(), boris);
    Press(Qt::Key_Insert);
    EXPECT_EQ(RowsOf(login), (Rows{{"Boris", 1}, {"Clara", 5}, {"Dora", 2}}));
    EXPECT_EQ(login.getSelectedUser(), boris);
    Press(Qt::Key_Return);
  });
  EXPECT_EQ(login.SelectUser(), boris);
  EXPECT_EQ(windows.Opened, std::vector<std::string>{"AddNewUser"});
}

TEST_F(LoginFormTest, TheMenuChangesThePasswordOfAndDeletesTheChosenUser) {
  TUser* anna = Add("Anna", 0);
  Add("Boris", 1);
  TLoginForm login(nullptr, &app.root());
  login.acUpdate->Execute();
  // With no row chosen the items do nothing.
  login.miUserChangePassword->OnClick(nullptr);
  login.miUserDelete->OnClick(nullptr);
  EXPECT_TRUE(windows.Opened.empty());
  EXPECT_TRUE(boxes.Shown.empty());

  login.Show();
  ClickRow(login.lvUserList, 0);
  ASSERT_EQ(login.getSelectedUser(), anna);
  windows.NewPassword = [](TUser*) { return std::optional<std::string>("new"); };
  login.miUserChangePassword->OnClick(nullptr);
  EXPECT_TRUE(anna->CheckPassword("new"));

  windows.Authorization = [](TUser* user) { return user->CheckPassword("new"); };
  boxes.Answer = mrNo;
  login.miUserDelete->OnClick(nullptr);
  EXPECT_EQ(RowsOf(login).size(), 2u);
  EXPECT_EQ(login.getSelectedUser(), anna);

  const std::string folder = anna->getProfileFolder();
  boxes.Answer = mrYes;
  login.miUserDelete->OnClick(nullptr);
  EXPECT_EQ(RowsOf(login), (Rows{{"Boris", 1}}));
  EXPECT_EQ(login.getSelectedUser(), nullptr);
  EXPECT_FALSE(std::filesystem::exists(folder));
  // Enter now acts as with no user remembered.
  login.acUserTeach->Execute();
  EXPECT_EQ(login.getSelectedUser(), nullptr);
}

// Another copy of the program on the same data trains Anna: her deletion is refused with a
// message, before any question, and nothing changes.
TEST_F(LoginFormTest, AUserAnotherCopyTrainsIsNotDeleted) {
  TUser* anna = Add("Anna", 0);
  TUsersRoot copy;
  TUserLock training;
  ASSERT_TRUE(training.Take(*copy.getUsers()->Find("Anna")));
  TLoginForm login(nullptr, &app.root());
  login.acUpdate->Execute();
  login.Show();
  ClickRow(login.lvUserList, 0);
  ASSERT_EQ(login.getSelectedUser(), anna);
  boxes.Answer = mrYes;
  login.miUserDelete->OnClick(nullptr);
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, anna->getMessage("InUse"));
  EXPECT_TRUE(std::filesystem::exists(anna->getProfileFolder() + "/Profile.ini"));
  EXPECT_EQ(RowsOf(login), (Rows{{"Anna", 0}}));
  EXPECT_EQ(login.getSelectedUser(), anna);
}

TEST_F(LoginFormTest, AClickOnTheClosePictureClosesWithoutRefillingTheList) {
  Add("Anna", 0);
  TLoginForm login(nullptr, &app.root());
  int refills = 0;
  Soon([&] {
    ActiveWindow();
    login.OnClick = [&](TObject*) { ++refills; };
    Click(login.imClose);
  });
  EXPECT_EQ(login.SelectUser(), nullptr);
  EXPECT_EQ(refills, 0);
}

}  // namespace

// Shift+F10 opens the list's menu as the menu key does (which X's keyboard makes a request for
// the menu of its own, and the real-X tests press).
TEST_F(LoginFormTest, ShiftF10OpensTheListsMenu) {
  Add("Anna", 0);
  TLoginForm login(nullptr, &app.root());
  login.Show();
  ActiveWindow();
  login.lvUserList->SetFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return login.lvUserList->Focused(); }, 2000));
  // Closes the menu inside its own loop.
  int items = -1;
  QTimer look;
  look.setInterval(0);
  QObject::connect(&look, &QTimer::timeout, [&] {
    if (QWidget* menu = QApplication::activePopupWidget()) {
      items = static_cast<int>(menu->actions().size());
      menu->close();
    }
  });
  look.start();
  QTest::keyClick(login.Handle()->windowHandle(), Qt::Key_F10, Qt::ShiftModifier);
  QTest::qWait(50);
  EXPECT_EQ(items, 3) << "no menu";
}
