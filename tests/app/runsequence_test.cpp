// The login loop and the actions that a user's password guards, with windows that answer as a
// person would.

#include <gtest/gtest.h>

#include "app/tlomtak.h"
#include "engine/tcourses.h"
#include "foundation/scrypto.h"
#include "foundation/tinioptions.h"
#include "support/faultyfilesystem.h"
#include "support/installation.h"
#include "support/messageboxes.h"
#include "support/windowopener.h"
#include "users/tusers.h"

namespace {

using Opened = std::vector<std::string>;

class RunSequenceTest : public ::testing::Test {
protected:
  RunSequenceTest() {
    anna = app.root().getUsers()->Add("Anna");
    english = app.root().getCourses()->getCourse("English");
  }

  // A course the catalogue lists; the stub windows never load it.
  static Installation& WithCourse(Installation& app) {
    TempDir::Write(app.getCoursesDir() + "/English.Base", "");
    return app;
  }

  // The login window gives these users, one per pass, then none (Esc).
  void LoginGives(std::vector<TUser*> users) {
    windows.Login = [users, pass = size_t{0}]() mutable {
      return pass < users.size() ? users[pass++] : nullptr;
    };
  }
  // The start window gives the course this many times, then none (Esc).
  void StartGivesCourse(int times) {
    windows.Start = [this, times](TUser*) mutable { return times-- > 0 ? english : nullptr; };
  }

  Installation app;
  MessageBoxes boxes;
  StubWindows windows{WithCourse(app).root()};
  TUser* anna = nullptr;
  TCourse* english = nullptr;
};

TEST_F(RunSequenceTest, LeavingTheLoginWindowEndsTheRun) {
  app.root().Run();
  EXPECT_EQ(windows.Opened, Opened{"Login"});
}

TEST_F(RunSequenceTest, EachCourseChosenRunsATrainingScreenThenTheStartWindowAgain) {
  LoginGives({anna});
  StartGivesCourse(2);
  app.root().Run();
  EXPECT_EQ(windows.Opened, (Opened{"Login", "Start Anna", "Session English Anna", "Start Anna",
                                    "Session English Anna", "Start Anna", "Login"}));
}

TEST_F(RunSequenceTest, LeavingTheStartWindowGoesBackToTheLogin) {
  TUser* boris = app.root().getUsers()->Add("Boris");
  LoginGives({anna, boris});
  app.root().Run();
  EXPECT_EQ(windows.Opened, (Opened{"Login", "Start Anna", "Login", "Start Boris", "Login"}));
}

TEST_F(RunSequenceTest, APasswordGuardsTraining) {
  anna->setPassword("secret");
  LoginGives({anna, anna});
  StartGivesCourse(1);
  int prompts = 0;
  // Closed the first time, answered rightly the second.
  windows.Authorization = [&](TUser*) { return ++prompts == 2; };
  app.root().Run();
  EXPECT_EQ(windows.Opened, (Opened{"Login", "Authorization Anna", "Login", "Authorization Anna",
                                    "Start Anna", "Session English Anna", "Start Anna", "Login"}));
}

TEST_F(RunSequenceTest, WithNoWindowsInstalledEveryWindowIsClosed) {
  app.root().setWindowOpener(nullptr);
  anna->setPassword("secret");
  EXPECT_EQ(app.root().ShowLogin(), nullptr);
  EXPECT_FALSE(app.root().ShowAddNewUser());
  EXPECT_EQ(app.root().ShowStart(anna), nullptr);
  EXPECT_FALSE(anna->Authorize());
  EXPECT_FALSE(anna->ChangePassword());
  app.root().Run();
  EXPECT_TRUE(windows.Opened.empty());
}

TEST_F(RunSequenceTest, ChangePasswordStoresTheConfirmedPasswordAndSaysSo) {
  struct Case {
    const char* name;
    std::optional<std::string> typed;
    bool changed;
    std::string digest;
  } cases[] = {
      {"Confirmed", "new secret", true, MD5Hex("new secret")},
      {"ConfirmedEmpty", "", true, MD5Hex("")},
      {"Cancelled", std::nullopt, false, MD5Hex("old")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    anna->setPassword("old");
    boxes.Shown.clear();
    windows.Opened.clear();
    windows.Authorization = [](TUser* user) { return user->CheckPassword("old"); };
    windows.NewPassword = [&](TUser*) { return c.typed; };
    EXPECT_EQ(anna->ChangePassword(), c.changed);
    EXPECT_EQ(anna->getOptions()->ReadString("GENERAL", "Password", ""), c.digest);
    EXPECT_EQ(windows.Opened, (Opened{"Authorization Anna", "NewPassword Anna"}));
    ASSERT_EQ(boxes.Shown.size(), c.changed ? 1u : 0u);
    if (c.changed) {
      EXPECT_EQ(boxes.Shown[0].Type, mtInformation);
      EXPECT_EQ(boxes.Shown[0].Text, anna->getMessage("PasswordChanged"));
    }
  }
}

TEST_F(RunSequenceTest, APasswordThatCannotBeStoredIsSaidAndTheOldOneStays) {
  anna->setPassword("old");
  windows.Authorization = [](TUser* user) { return user->CheckPassword("old"); };
  windows.NewPassword = [](TUser*) { return std::optional<std::string>("new"); };
  FaultyFileSystem disk;
  disk.FillAfter(0);
  EXPECT_FALSE(anna->ChangePassword());
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Type, mtInformation);
  EXPECT_EQ(boxes.Shown[0].Text, anna->getMessage("PasswordNotChanged"));
  EXPECT_TRUE(anna->CheckPassword("old"));
  EXPECT_FALSE(anna->CheckPassword("new"));
}

TEST_F(RunSequenceTest, AClosedPasswordPromptGuardsChangeAndDelete) {
  anna->setPassword("secret");
  boxes.Answer = mrYes;
  EXPECT_FALSE(anna->ChangePassword());
  EXPECT_FALSE(anna->Delete());
  EXPECT_EQ(windows.Opened, (Opened{"Authorization Anna", "Authorization Anna"}));
  EXPECT_TRUE(boxes.Shown.empty());
  EXPECT_EQ(app.root().getUsers()->Find("Anna"), anna);

  windows.Authorization = [](TUser* user) { return user->CheckPassword("secret"); };
  EXPECT_TRUE(anna->Delete());
  EXPECT_EQ(app.root().getUsers()->Find("Anna"), nullptr);
}

// Two copies of the program on one data folder, each with its own windows: while the first
// trains Anna, the second refuses to log her in, before any password prompt; once she has left
// the first, the second may log her in.
TEST_F(RunSequenceTest, AUserTrainingInOneCopyIsRefusedToASecondCopy) {
  anna->setPassword("pw");
  TLomtak copy;
  StubWindows copyWindows(copy);
  TUser* copyAnna = copy.getUsers()->Find("Anna");
  ASSERT_NE(copyAnna, nullptr);
  auto copyLoginGivesAnna = [&] {
    copyWindows.Login = [copyAnna, pass = 0]() mutable { return pass++ == 0 ? copyAnna : nullptr; };
  };
  copyLoginGivesAnna();
  copyWindows.Authorization = [](TUser* user) { return user->CheckPassword("pw"); };
  windows.Authorization = [](TUser* user) { return user->CheckPassword("pw"); };
  LoginGives({anna});
  // From the first copy's start window, the second copy's whole run.
  windows.Start = [&](TUser*) -> TCourse* {
    copy.Run();
    return nullptr;
  };
  app.root().Run();
  EXPECT_EQ(copyWindows.Opened, (Opened{"Login", "Login"}));
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, copyAnna->getMessage("InUse"));

  copyWindows.Opened.clear();
  copyLoginGivesAnna();
  copy.Run();
  EXPECT_EQ(copyWindows.Opened, (Opened{"Login", "Authorization Anna", "Start Anna", "Login"}));
  EXPECT_EQ(boxes.Shown.size(), 1u);
}

}  // namespace
