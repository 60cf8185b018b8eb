#include "users/tuser.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "foundation/scrypto.h"
#include "foundation/tinioptions.h"
#include "support/faultyfilesystem.h"
#include "support/messageboxes.h"
#include "support/usersroot.h"
#include "support/usualumask.h"
#include "toolkit/codepage.h"
#include "toolkit/exception.h"
#include "toolkit/sysutils.h"
#include "users/tusers.h"

namespace {

namespace fs = std::filesystem;

const std::string kEmptyDigest = MD5Hex("");

class TUserTest : public ::testing::Test {
protected:
  TUsers& users() { return *app.root().getUsers(); }
  std::string ProfileIni(const std::string& name) const {
    return app.getUsersDir() + "/" + name + "/Profile.ini";
  }

  UsersInstallation app;
  MessageBoxes boxes;
};

TEST_F(TUserTest, NameIsTrimmedAndNamesTheProfileFolder) {
  TUser* user = users().Add(" Anna\t");
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(user->getName(), "Anna");
  EXPECT_EQ(user->getProfileFolder(), app.getUsersDir() + "/Anna");
  EXPECT_EQ(user->getStatisticFolder("English"), app.getUsersDir() + "/Anna/English/Statistic");
  EXPECT_EQ(user->getUsers(), &users());
  EXPECT_EQ(user->getRoot(), &app.root());
  EXPECT_EQ(user->getOptions()->FileName, ProfileIni("Anna"));
  EXPECT_TRUE(fs::is_regular_file(ProfileIni("Anna")));
}

TEST_F(TUserTest, ANewProfileHoldsTheDigestOfTheEmptyPassword) {
  TUser* user = users().Add("Anna");
  EXPECT_EQ(user->getOptions()->ReadString("GENERAL", "Password", ""), kEmptyDigest);
  EXPECT_TRUE(user->CheckPassword(""));
  EXPECT_TRUE(user->Authorize());
}

// Listing a profile writes nothing into it: a missing or emptied digest is no password.
TEST_F(TUserTest, AMissingOrEmptiedDigestMeansNoPassword) {
  for (const char* line : {"", "Password=\r\n", "Password=''\r\n"}) {
    SCOPED_TRACE(line);
    const std::string profile = std::string("[GENERAL]\r\n") + line + "Avatar='3'\r\n";
    fs::create_directories(app.getUsersDir() + "/Anna");
    TempDir::Write(ProfileIni("Anna"), profile);
    app.Rebuild();
    TUser* user = users().Find("Anna");
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(TempDir::Read(ProfileIni("Anna")), profile);
    EXPECT_TRUE(user->CheckPassword(""));
    EXPECT_FALSE(user->CheckPassword("x"));
    EXPECT_TRUE(user->Authorize());
    EXPECT_EQ(user->getAvatar(), 3);
  }
}

// A profile on a read-only disk, or in a folder the user may not write, can get no digest:
// its user must still get in.
TEST_F(TUserTest, AProfileThatCannotBeWrittenMeansNoPassword) {
  fs::create_directories(app.getUsersDir() + "/Anna");
  TempDir::Write(ProfileIni("Anna"), "[GENERAL]\r\n");
  FaultyFileSystem disk;
  disk.Fail(FileOperation::Create, "/Anna/", std::errc::read_only_file_system);
  app.Rebuild();
  TUser* user = users().Find("Anna");
  ASSERT_NE(user, nullptr);
  EXPECT_TRUE(user->CheckPassword(""));
  EXPECT_FALSE(user->CheckPassword("x"));
  // No window is installed: every prompt would be closed.
  EXPECT_TRUE(user->Authorize());
  EXPECT_EQ(TempDir::Read(ProfileIni("Anna")), "[GENERAL]\r\n");
}

// The profile holds the password's digest: no other account of the machine may read it.
TEST_F(TUserTest, AProfileIsPrivateToItsOwner) {
  UsualUmask mask;
  TUser* user = users().Add("Anna");
  EXPECT_EQ(TempDir::Mode(user->getProfileFolder()), 0700u);
  EXPECT_EQ(TempDir::Mode(ProfileIni("Anna")), 0600u);
  // A profile of an earlier release, open to every account, is closed when its user acts,
  // not when it is listed.
  const std::string older = app.getUsersDir() + "/Boris";
  fs::create_directories(older);
  chmod(older.c_str(), 0755);
  TempDir::Write(older + "/Profile.ini", "[GENERAL]\r\n");
  app.Rebuild();
  TUser* boris = users().Find("Boris");
  ASSERT_NE(boris, nullptr);
  EXPECT_EQ(TempDir::Mode(older), 0755u);
  EXPECT_TRUE(boris->Authorize());
  EXPECT_EQ(TempDir::Mode(older), 0700u);
  EXPECT_TRUE(boxes.Shown.empty());
}

// Where the folder cannot be closed the user still gets in, and is told.
TEST_F(TUserTest, AProfileFolderThatCannotBeMadePrivateIsSaid) {
  const std::string older = app.getUsersDir() + "/Boris";
  fs::create_directories(older);
  chmod(older.c_str(), 0755);
  TempDir::Write(older + "/Profile.ini", "[GENERAL]\r\n");
  FaultyFileSystem disk;
  disk.Fail(FileOperation::SetMode, "/Boris", std::errc::operation_not_permitted);
  TUser* boris = users().Find("Boris");
  ASSERT_NE(boris, nullptr);
  EXPECT_TRUE(boris->Authorize());
  EXPECT_EQ(TempDir::Mode(older), 0755u);
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text,
            TLTObject::ReplacePlaceholder(
                boris->getMessage("ProfileNotPrivate"), "REASON",
                std::make_error_code(std::errc::operation_not_permitted).message()));
}

TEST_F(TUserTest, PasswordsMatchByTheExactDigest) {
  TUser* user = users().Add("Anna");
  user->setPassword("secret");
  EXPECT_EQ(user->getOptions()->ReadString("GENERAL", "Password", ""), MD5Hex("secret"));
  struct Case {
    const char* name;
    std::string password;
    bool matches;
  } cases[] = {
      {"Same", "secret", true},
      {"LetterCase", "Secret", false},
      {"LeadingBlank", " secret", false},
      {"Empty", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(user->CheckPassword(c.password), c.matches);
  }
  EXPECT_FALSE(user->Authorize());
  // A digest stored in lower case never matches.
  user->getOptions()->WriteString("GENERAL", "Password", LowerCase(MD5Hex("secret")));
  EXPECT_FALSE(user->CheckPassword("secret"));
  // The empty password removes the protection.
  user->setPassword("");
  EXPECT_TRUE(user->CheckPassword(""));
  EXPECT_TRUE(user->Authorize());
}

TEST_F(TUserTest, AvatarDefaultsToZeroAndABadValueRaises) {
  TUser* user = users().Add("Anna");
  EXPECT_EQ(user->getAvatar(), 0);
  EXPECT_NE(TempDir::Read(ProfileIni("Anna")).find("Avatar='0'"), std::string::npos);
  user->setAvatar(7);
  EXPECT_EQ(user->getAvatar(), 7);
  user->getOptions()->WriteString("GENERAL", "Avatar", "seven");
  EXPECT_THROW(user->getAvatar(), EConvertError);
}

TEST_F(TUserTest, MessagesNameTheUserAndComeLocalized) {
  app.Localize(
      "[TUser]\r\n"
      "Deleted=User %USER.NAME%\\nis gone (%VERSION%)\r\n"
      "[TLTObject]\r\nPasswordIncorrect=base\r\n"
      "[TUsers]\r\nPasswordIncorrect=owner\r\n");
  TUser* user = users().Add("Anna");
  EXPECT_EQ(user->getMessage("Deleted"), "User Anna\r\nis gone (%VERSION%)");
  EXPECT_EQ(user->getMessage("deleted"), "User Anna\r\nis gone (%VERSION%)");
  EXPECT_EQ(user->getMessage("PasswordIncorrect"), FromUtf8("Неправильный пароль."));
  // The default texts are Windows-1251 bytes.
  EXPECT_EQ(user->getMessage("PasswordIncorrect"),
            "\xCD\xE5\xEF\xF0\xE0\xE2\xE8\xEB\xFC\xED\xFB\xE9 \xEF\xE0\xF0\xEE\xEB\xFC.");
  EXPECT_EQ(user->getMessage("PasswordChanged"), FromUtf8("Установлен новый пароль для 'Anna'"));
  EXPECT_EQ(user->getMessage("ConfirmationToDelete"),
            FromUtf8("Вы действительно хотите УДАЛИТЬ пользователя 'Anna' со всеми данными?"));
}

TEST_F(TUserTest, NamesThatAreNoPlainFolderNameRaise) {
  for (const char* name : {"", "  ", ".", "..", " .. ", "a/b", "../x", "a\tb", "a\nb"}) {
    SCOPED_TRACE(name);
    try {
      TUser user(&users(), name);
      FAIL() << "built";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, "FB1904EA/F Program Error");
    }
  }
  EXPECT_EQ(fs::directory_iterator(app.getUsersDir()), fs::directory_iterator());
}

TEST_F(TUserTest, DeleteAsksThenRemovesTheUserAndItsFolder) {
  TUser* user = users().Add("Anna");
  fs::create_directories(user->getProfileFolder() + "/English/Statistic");
  TempDir::Write(user->getProfileFolder() + "/English/Statistic/run.stat", "*\r\n");
  const std::string folder = user->getProfileFolder();

  boxes.Answer = mrNo;
  EXPECT_FALSE(user->Delete());
  EXPECT_EQ(users().Find("Anna"), user);
  EXPECT_EQ(users().getCount(), 1);
  EXPECT_TRUE(fs::exists(folder + "/English/Statistic/run.stat"));
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Type, mtConfirmation);
  EXPECT_EQ(boxes.Shown[0].Text, user->getMessage("ConfirmationToDelete"));

  const std::string deleted = user->getMessage("Deleted");
  boxes.Answer = mrYes;
  EXPECT_TRUE(user->Delete());
  EXPECT_EQ(users().Find("Anna"), nullptr);
  EXPECT_EQ(users().getCount(), 0);
  EXPECT_FALSE(fs::exists(folder));
  ASSERT_EQ(boxes.Shown.size(), 3u);
  EXPECT_EQ(boxes.Shown[2].Type, mtInformation);
  EXPECT_EQ(boxes.Shown[2].Text, deleted);
}

// A profile folder may hold files of the person's own: deleting the user takes only what the
// program wrote.
TEST_F(TUserTest, DeleteKeepsWhatTheProgramDidNotWrite) {
  TUser* user = users().Add("Anna");
  const std::string folder = user->getProfileFolder(), outside = app.getProgramDir() + "/keep";
  TempDir::Write(outside, "not the user's");
  for (const char* course : {"English", "Russian", "Deutsch"})
    fs::create_directories(folder + "/" + course + "/Statistic");
  TempDir::Write(folder + "/English/Statistic/run.stat", "*\r\n");
  TempDir::Write(folder + "/English/Statistic/run.stat.~12.0", "*");
  TempDir::Write(folder + "/Russian/Statistic/run.stat", "*\r\n");
  TempDir::Write(folder + "/Russian/Statistic/notes.txt", "mine");
  fs::create_symlink(outside, folder + "/Deutsch/Statistic/old.stat");
  fs::create_directories(folder + "/Documents");
  TempDir::Write(folder + "/Documents/thesis.txt", "chapter one");
  TempDir::Write(folder + "/Profile.ini.~12.1", "half");
  boxes.Answer = mrYes;
  const std::string kept = user->getMessage("DeletedFolderKept");
  EXPECT_TRUE(user->Delete());
  EXPECT_EQ(users().getCount(), 0);
  // A link is no statistics file the program wrote.
  EXPECT_TRUE(fs::is_symlink(folder + "/Deutsch/Statistic/old.stat"));
  fs::remove(folder + "/Deutsch/Statistic/old.stat");
  EXPECT_EQ(TempDir::Contents(folder), (std::map<std::string, std::string>{
                                           {"Deutsch/", ""},
                                           {"Deutsch/Statistic/", ""},
                                           {"Documents/", ""},
                                           {"Documents/thesis.txt", "chapter one"},
                                           {"Russian/", ""},
                                           {"Russian/Statistic/", ""},
                                           {"Russian/Statistic/notes.txt", "mine"},
                                       }));
  EXPECT_EQ(TempDir::Read(outside), "not the user's");
  ASSERT_EQ(boxes.Shown.size(), 2u);
  EXPECT_EQ(boxes.Shown[1].Text, kept);
  // No profile: no user at the next start.
  app.Rebuild();
  EXPECT_EQ(users().getCount(), 0);
}

TEST_F(TUserTest, AFailedFolderRemovalLeavesTheUserOutOfTheListButAlive) {
  TUser* user = users().Add("Anna");
  const std::string locked = user->getProfileFolder() + "/English";
  fs::create_directories(locked);
  TempDir::Write(locked + "/run.stat", "*\r\n");
  boxes.Answer = mrYes;
  bool deleted = false;
  {
    FaultyFileSystem disk;
    disk.Fail(FileOperation::Remove, "/Anna", std::errc::permission_denied);
    deleted = user->Delete();
  }
  ASSERT_FALSE(deleted);
  // Nobody owns the user any more; the test takes it.
  std::unique_ptr<TUser> orphan(user);
  EXPECT_EQ(orphan->getName(), "Anna");
  EXPECT_EQ(users().Find("Anna"), nullptr);
  EXPECT_EQ(users().getCount(), 0);
  EXPECT_TRUE(fs::exists(locked + "/run.stat"));
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Type, mtConfirmation);
  // Its folder remains, so the next start lists it again.
  orphan.reset();
  app.Rebuild();
  EXPECT_NE(users().Find("Anna"), nullptr);
}

TEST_F(TUserTest, DeleteOfAUserWithAPasswordNeedsThePrompt) {
  TUser* user = users().Add("Anna");
  user->setPassword("secret");
  boxes.Answer = mrYes;
  EXPECT_FALSE(user->Delete());
  EXPECT_TRUE(boxes.Shown.empty());
  EXPECT_EQ(users().Find("Anna"), user);
  EXPECT_TRUE(fs::exists(user->getProfileFolder()));
}

}  // namespace
