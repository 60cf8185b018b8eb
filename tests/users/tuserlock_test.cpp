#include "users/tuserlock.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/messageboxes.h"
#include "support/tempdir.h"
#include "support/usersroot.h"
#include "users/tuser.h"
#include "users/tusers.h"

namespace {

namespace fs = std::filesystem;

// Two copies of the program on one data folder: the installation's root and a second one.
class UserLockTest : public ::testing::Test {
protected:
  UserLockTest() {
    app.root().getUsers()->Add("Anna");
    second = std::make_unique<TUsersRoot>();
  }
  TUser& AnnaOf(TUsersRoot& root) { return *root.getUsers()->Find("Anna"); }

  UsersInstallation app;
  std::unique_ptr<TUsersRoot> second;
  MessageBoxes boxes;
};

TEST_F(UserLockTest, AUserHeldByOneCopyIsRefusedToTheOtherUntilLetGo) {
  TUser& anna = AnnaOf(app.root());
  TUser& other = AnnaOf(*second);
  const auto before = TempDir::Contents(anna.getProfileFolder());
  {
    TUserLock held;
    ASSERT_TRUE(held.Take(anna));
    EXPECT_TRUE(boxes.Shown.empty());
    TUserLock refused;
    EXPECT_FALSE(refused.Take(other));
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Text, other.getMessage("InUse"));
    EXPECT_NE(boxes.Shown[0].Text.find("'Anna'"), std::string::npos);
    EXPECT_EQ(TempDir::Contents(anna.getProfileFolder()), before) << "nothing added";
  }
  TUserLock later;
  EXPECT_TRUE(later.Take(other));
  EXPECT_EQ(boxes.Shown.size(), 1u);
}

TEST_F(UserLockTest, AUserDeletedByTheOtherCopyIsGone) {
  fs::remove_all(AnnaOf(*second).getProfileFolder());
  TUserLock lock;
  EXPECT_FALSE(lock.Take(AnnaOf(app.root())));
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, AnnaOf(app.root()).getMessage("Gone"));
  EXPECT_FALSE(fs::exists(AnnaOf(app.root()).getProfileFolder()));
}

}  // namespace
