#include "users/tusers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include "foundation/scrypto.h"
#include "foundation/tinioptions.h"
#include "support/faultyfilesystem.h"
#include "support/usersroot.h"
#include "toolkit/codepage.h"
#include "users/tuser.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> SortedNames(const TUsers& users) {
  std::vector<std::string> names(users.getNames().begin(), users.getNames().end());
  std::sort(names.begin(), names.end());
  return names;
}

class TUsersTest : public ::testing::Test {
protected:
  TUsers& users() { return *app.root().getUsers(); }

  UsersInstallation app;
};

TEST_F(TUsersTest, AMissingUsersFolderIsMadeAndEmpty) {
  EXPECT_EQ(users().getCount(), 0);
  EXPECT_TRUE(fs::is_directory(app.getUsersDir()));
}

TEST_F(TUsersTest, UsersAreTheProfileFoldersOnly) {
  const std::string dir = app.getUsersDir();
  for (const char* folder : {"Anna", "Boris", ".hidden", "..x", " Padded", "Tab\tName"})
    fs::create_directories(dir + "/" + folder);
  TempDir::Write(dir + "/notes.txt", "not a user");
  TempDir::Write(dir + "/Profile.ini", "[GENERAL]\r\n");
  app.root();
  EXPECT_EQ(SortedNames(users()), (std::vector<std::string>{"Anna", "Boris"}));
  for (const char* name : {"Anna", "Boris"}) {
    SCOPED_TRACE(name);
    ASSERT_NE(users().Find(name), nullptr);
    EXPECT_EQ(users().Find(name)->getName(), name);
    EXPECT_TRUE(fs::is_regular_file(dir + "/" + name + "/Profile.ini"));
  }
  // Skipped folders are left as they are, and no profile appears for a trimmed name.
  EXPECT_FALSE(fs::exists(dir + "/.hidden/Profile.ini"));
  EXPECT_FALSE(fs::exists(dir + "/Padded"));
}

TEST_F(TUsersTest, FindComparesExactly) {
  TUser* anna = users().Add("Anna");
  EXPECT_EQ(users().Find("Anna"), anna);
  EXPECT_EQ(users().Find("anna"), nullptr);
  EXPECT_EQ(users().Find("Anna "), nullptr);
  // Letter case makes another user, with a profile of its own.
  TUser* lower = users().Add("anna");
  ASSERT_NE(lower, nullptr);
  EXPECT_NE(lower, anna);
  EXPECT_EQ(users().getCount(), 2);
}

TEST_F(TUsersTest, AddRefusesEmptyTakenAndUnsafeNames) {
  users().Add("Anna");
  for (const char* name :
       {"", "   ", "Anna", " Anna ", ".", "..", "../Escape", "a/b", "/abs", "be\all", "x\ny",
        // The next start lists no folder whose name begins with a dot: the user would be lost.
        ".Anna", " .x"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(users().Add(name), nullptr);
  }
  EXPECT_EQ(SortedNames(users()), std::vector<std::string>{"Anna"});
  EXPECT_FALSE(fs::exists(app.getProgramDir() + "/Escape"));
  std::vector<std::string> entries;
  for (const auto& entry : fs::directory_iterator(app.getUsersDir()))
    entries.push_back(entry.path().filename().string());
  EXPECT_EQ(entries, std::vector<std::string>{"Anna"});
}

TEST_F(TUsersTest, AddRefusesNamesThatCanGetNoProfileFolder) {
  users();
  TempDir::Write(app.getUsersDir() + "/Stand", "a file, not a profile");
  fs::create_symlink(app.getUsersDir() + "/nowhere", app.getUsersDir() + "/Dangling");
  for (const std::string& name : {std::string(256, 'a'), std::string("Stand"),
                                  std::string(" Stand "), std::string("Dangling")}) {
    SCOPED_TRACE(name.substr(0, 20));
    EXPECT_EQ(users().Add(name), nullptr);
  }
  EXPECT_EQ(users().getCount(), 0);
  // The longest name the file system allows still gets its user.
  TUser* longest = users().Add(std::string(255, 'a'));
  ASSERT_NE(longest, nullptr);
  EXPECT_TRUE(fs::is_regular_file(longest->getProfileFolder() + "/Profile.ini"));
}

TEST_F(TUsersTest, AddStoresThePasswordAndTheAvatar) {
  TUser* anna = users().Add("Anna", "secret", 42);
  ASSERT_NE(anna, nullptr);
  EXPECT_TRUE(anna->CheckPassword("secret"));
  EXPECT_EQ(anna->getAvatar(), 42);
}

// A user listed without its password's digest on the disk would, after a restart, let anyone
// in.
TEST_F(TUsersTest, AProfileThatCannotBeSavedMakesNoUserAndLeavesNothing) {
  struct Case {
    const char* name;
    std::function<void(FaultyFileSystem&)> fault;
  } cases[] = {
      {"NoRoomForTheFolder", [](FaultyFileSystem& disk) { disk.FillAfter(0); }},
      {"NoRoomForTheProfile", [](FaultyFileSystem& disk) { disk.FillAfter(10); }},
      {"TheLastWriteFails",
       [](FaultyFileSystem& disk) { disk.Fail(FileOperation::Rename, "Profile.ini"); }},
      {"TheProfileMayNotOutlastACrash",
       [](FaultyFileSystem& disk) { disk.Fail(FileOperation::SyncFolder, "/Anna"); }},
      {"TheFolderRefusesFiles",
       [](FaultyFileSystem& disk) {
         disk.Fail(FileOperation::Create, "/Anna/", std::errc::permission_denied);
       }},
  };
  users();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    {
      FaultyFileSystem disk;
      c.fault(disk);
      EXPECT_EQ(users().Add("Anna", "secret", 3), nullptr);
    }
    EXPECT_EQ(users().Find("Anna"), nullptr);
    EXPECT_EQ(users().getCount(), 0);
    EXPECT_FALSE(fs::exists(app.getUsersDir() + "/Anna"));
  }
  app.Rebuild();
  EXPECT_EQ(users().getCount(), 0);
}

// What was there before the failed save is not the failed user's to remove.
TEST_F(TUsersTest, AFailedSaveKeepsAProfileFolderThatWasThereBefore) {
  users();
  // Made since the start, by another instance of the program.
  fs::create_directories(app.getUsersDir() + "/Boris/English/Statistic");
  TempDir::Write(app.getUsersDir() + "/Boris/English/Statistic/run.stat", "*\r\n");
  {
    FaultyFileSystem disk;
    disk.FillAfter(0);
    EXPECT_EQ(users().Add("Boris", "secret", 3), nullptr);
  }
  EXPECT_EQ(users().Find("Boris"), nullptr);
  EXPECT_TRUE(fs::exists(app.getUsersDir() + "/Boris/English/Statistic/run.stat"));
}

TEST_F(TUsersTest, AddResetsThePasswordOfAnExistingProfileAndAppends) {
  users().Add("Anna");
  fs::create_directories(app.getUsersDir() + "/Boris");
  TempDir::Write(app.getUsersDir() + "/Boris/Profile.ini",
                 "[GENERAL]\r\nPassword='" + MD5Hex("secret") + "'\r\nAvatar='4'\r\n");
  TUser* boris = users().Add("Boris");
  ASSERT_NE(boris, nullptr);
  EXPECT_TRUE(boris->CheckPassword(""));
  EXPECT_EQ(boris->getAvatar(), 4);
  EXPECT_EQ(users().getNames().Strings(users().getCount() - 1), "Boris");
  // A trimmed name is the user's name and key.
  TUser* carl = users().Add(" Carl ");
  ASSERT_NE(carl, nullptr);
  EXPECT_EQ(users().Find("Carl"), carl);
  EXPECT_EQ(users().getNames().Strings(2), "Carl");
}

TEST_F(TUsersTest, RemoveTakesOutTheUserButLeavesItsFolder) {
  users().Add("Anna");
  users().Add("anna");
  std::unique_ptr<TUser> anna(users().Find("anna"));
  EXPECT_TRUE(users().Remove("anna"));
  EXPECT_EQ(users().Find("anna"), nullptr);
  EXPECT_NE(users().Find("Anna"), nullptr);
  // The name of exactly that user leaves the list, not one that differs in letter case.
  EXPECT_EQ(SortedNames(users()), std::vector<std::string>{"Anna"});
  EXPECT_TRUE(fs::is_directory(app.getUsersDir() + "/anna"));
  EXPECT_TRUE(users().Remove("nobody"));
  EXPECT_EQ(users().getCount(), 1);
}

// Names are texts of the system code page; the names of their folders are UTF-8, as every
// other program of the machine reads them.
TEST_F(TUsersTest, ProfileFoldersAreNamedInUtf8) {
  TUser* anna = users().Add(FromUtf8("Анна"));
  ASSERT_NE(anna, nullptr);
  EXPECT_EQ(anna->getName(), FromUtf8("Анна"));
  EXPECT_EQ(anna->getProfileFolder(), app.getUsersDir() + "/Анна");
  EXPECT_TRUE(fs::is_regular_file(app.getUsersDir() + "/Анна/Profile.ini"));
  fs::create_directories(app.getUsersDir() + "/Борис");
  app.Rebuild();
  EXPECT_EQ(SortedNames(users()), (std::vector<std::string>{FromUtf8("Анна"), FromUtf8("Борис")}));
  ASSERT_NE(users().Find(FromUtf8("Борис")), nullptr);
  EXPECT_EQ(users().Find(FromUtf8("Борис"))->getProfileFolder(), app.getUsersDir() + "/Борис");
}

TEST_F(TUsersTest, FoldersWhoseNameNoUserCanHaveAreLeftAlone) {
  const std::string dir = app.getUsersDir();
  // "Zoë" has no letter ë in the code page; the bytes are no UTF-8 nor a code-page name
  // either.
  for (const char* folder : {"Zoë", "\x98x"}) fs::create_directories(dir + "/" + folder);
  EXPECT_EQ(users().getCount(), 0);
  EXPECT_TRUE(fs::is_empty(dir + "/Zoë"));
  EXPECT_TRUE(fs::is_empty(dir + "/\x98x"));
  EXPECT_EQ(users().Add("\x98x"), nullptr);
}

// An earlier release named profile folders with the name's code-page bytes.
TEST_F(TUsersTest, AFolderNamedInTheCodePageGetsItsUtf8Name) {
  const std::string dir = app.getUsersDir(), older = dir + "/" + FromUtf8("Анна");
  fs::create_directories(older + "/English/Statistic");
  TempDir::Write(older + "/Profile.ini",
                 "[GENERAL]\r\nPassword='" + MD5Hex("secret") + "'\r\nAvatar='4'\r\n");
  TempDir::Write(older + "/English/Statistic/run.stat", "*\r\n");
  TUser* anna = users().Find(FromUtf8("Анна"));
  ASSERT_NE(anna, nullptr);
  EXPECT_FALSE(fs::exists(older));
  EXPECT_EQ(anna->getProfileFolder(), dir + "/Анна");
  EXPECT_TRUE(anna->CheckPassword("secret"));
  EXPECT_EQ(anna->getAvatar(), 4);
  EXPECT_TRUE(fs::exists(dir + "/Анна/English/Statistic/run.stat"));
}

// Another account's private profile is not this account's to rename.
TEST_F(TUsersTest, AFolderInTheCodePageThisAccountCannotOpenIsLeftAsItIs) {
  const std::string dir = app.getUsersDir(), older = dir + "/" + FromUtf8("Анна");
  fs::create_directories(older);
  FaultyFileSystem disk;
  disk.Fail(FileOperation::List, older, std::errc::permission_denied);
  EXPECT_EQ(users().getCount(), 0);
  EXPECT_TRUE(fs::exists(older));
  EXPECT_FALSE(fs::exists(dir + "/Анна"));
}

// Both folders name the same user; the one of this release is it, the other stays as it is.
TEST_F(TUsersTest, AFolderInTheCodePageBesideItsUtf8NameIsLeftAlone) {
  const std::string dir = app.getUsersDir(), older = dir + "/" + FromUtf8("Анна");
  fs::create_directories(older);
  TempDir::Write(older + "/Profile.ini", "[GENERAL]\r\nAvatar='4'\r\n");
  fs::create_directories(dir + "/Анна");
  EXPECT_EQ(users().getCount(), 1);
  EXPECT_EQ(users().Find(FromUtf8("Анна"))->getProfileFolder(), dir + "/Анна");
  EXPECT_EQ(TempDir::Read(older + "/Profile.ini"), "[GENERAL]\r\nAvatar='4'\r\n");
}

TEST_F(TUsersTest, UsersDirectoryFromTheMainIniFile) {
  const std::string elsewhere = app.getProgramDir() + "/../People";
  TempDir::Write(app.getProgramDir() + "/Lomtak.ini",
                 "[Environment]\r\nUsersDirectory='" + elsewhere + "'\r\n");
  fs::create_directories(elsewhere + "/Anna");
  EXPECT_EQ(users().getDirectory(), elsewhere);
  EXPECT_EQ(SortedNames(users()), std::vector<std::string>{"Anna"});
}

}  // namespace
