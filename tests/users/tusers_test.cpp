#include "users/tusers.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <vector>

#include "foundation/scrypto.h"
#include "foundation/tinioptions.h"
#include "support/faultyfilesystem.h"
#include "support/messageboxes.h"
#include "support/usersroot.h"
#include "support/usualumask.h"
#include "toolkit/codepage.h"
#include "users/tuser.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> SortedNames(const TUsers& users) {
  std::vector<std::string> names(users.getNames().begin(), users.getNames().end());
  std::sort(names.begin(), names.end());
  return names;
}

// A profile folder as a copy of the program leaves it: the folder and its Profile.ini.
void PutProfile(const std::string& folder, const std::string& profile = "[GENERAL]\r\n") {
  fs::create_directories(folder);
  TempDir::Write(folder + "/Profile.ini", profile);
}

// The profile of a user who has a name in it (as this release makes them).
std::string NamedProfile(const std::string& name) {
  return "[GENERAL]\r\nPassword='" + MD5Hex("") + "'\r\nName='" + name + "'\r\n";
}

class TUsersTest : public ::testing::Test {
protected:
  TUsers& users() { return *app.root().getUsers(); }
  // The notes of the last listing.
  const std::vector<std::string>& Notes() { return users().getUnlisted(); }
  std::string Reason(const char* message) { return users().getMessage(message); }

  UsersInstallation app;
};

TEST_F(TUsersTest, AMissingUsersFolderIsMadeAndEmpty) {
  EXPECT_EQ(users().getCount(), 0);
  EXPECT_TRUE(fs::is_directory(app.getUsersDir()));
}

TEST_F(TUsersTest, UsersAreTheProfileFoldersOnly) {
  const std::string dir = app.getUsersDir();
  for (const char* folder : {"Anna", "Boris", ".hidden", "..x"}) PutProfile(dir + "/" + folder);
  TempDir::Write(dir + "/notes.txt", "not a user");
  TempDir::Write(dir + "/Profile.ini", "[GENERAL]\r\n");
  app.root();
  EXPECT_EQ(SortedNames(users()), (std::vector<std::string>{"Anna", "Boris"}));
  for (const char* name : {"Anna", "Boris"}) {
    SCOPED_TRACE(name);
    ASSERT_NE(users().Find(name), nullptr);
    EXPECT_EQ(users().Find(name)->getName(), name);
  }
  EXPECT_TRUE(Notes().empty());
}

// A users folder setting may name any folder: its folders are no users, and starting the
// program, which lists them, changes nothing in it.
TEST_F(TUsersTest, OrdinaryFoldersAreNoUsersAndListingWritesNothing) {
  UsualUmask mask;
  const std::string elsewhere = app.getProgramDir() + "/../Home";
  TempDir::Write(app.getProgramDir() + "/Lomtak.ini",
                 "[Environment]\r\nUsersDirectory='" + elsewhere + "'\r\n");
  fs::create_directories(elsewhere + "/Documents");
  TempDir::Write(elsewhere + "/Documents/thesis.txt", "chapter one");
  fs::create_directories(elsewhere + "/Music");
  fs::create_directories(elsewhere + "/Empty");
  // A profile of an earlier release, open to others, without digest or avatar.
  PutProfile(elsewhere + "/Anna", "[GENERAL]\r\n");
  chmod((elsewhere + "/Anna").c_str(), 0755);
  const auto before = TempDir::Contents(elsewhere);
  EXPECT_EQ(SortedNames(users()), std::vector<std::string>{"Anna"});
  app.Rebuild();
  EXPECT_EQ(SortedNames(users()), std::vector<std::string>{"Anna"});
  EXPECT_EQ(TempDir::Contents(elsewhere), before);
  for (const char* folder : {"Documents", "Music", "Empty", "Anna"}) {
    SCOPED_TRACE(folder);
    EXPECT_EQ(TempDir::Mode(elsewhere + "/" + folder), 0755u);
  }
  EXPECT_EQ(TempDir::Read(elsewhere + "/Documents/thesis.txt"), "chapter one");
  EXPECT_TRUE(Notes().empty());
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
      {"TheProfileIsNotOnTheDisk",
       [](FaultyFileSystem& disk) { disk.Fail(FileOperation::Sync, "Profile.ini"); }},
      {"TheFolderCannotBeMovedIntoPlace",
       [](FaultyFileSystem& disk) { disk.Fail(FileOperation::Rename, "/Anna"); }},
      {"TheProfileMayNotOutlastACrash",
       [](FaultyFileSystem& disk) { disk.Fail(FileOperation::SyncFolder, ""); }},
      {"TheFolderRefusesFiles",
       [](FaultyFileSystem& disk) {
         disk.Fail(FileOperation::Create, "Profile.ini", std::errc::permission_denied);
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
    EXPECT_TRUE(fs::is_empty(app.getUsersDir()));
  }
  app.Rebuild();
  EXPECT_EQ(users().getCount(), 0);
}

// Killed at any change of the disk while a user is made, the program leaves no user, or the
// user with the password typed: never one that opens without it.
TEST_F(TUsersTest, AKillWhileAUserIsMadeLeavesNoUserOrTheWholeUser) {
  users();
  for (int kill = 0;; ++kill) {
    SCOPED_TRACE(kill);
    bool killed = false;
    {
      FaultyFileSystem disk;
      disk.KillAtChange(kill);
      users().Add("Pw", "pw", 5);
      killed = disk.ChangesAsked() > kill;
    }
    app.Rebuild();
    if (TUser* user = users().Find("Pw")) {
      EXPECT_TRUE(user->CheckPassword("pw"));
      EXPECT_FALSE(user->CheckPassword(""));
      EXPECT_EQ(user->getAvatar(), 5);
    } else {
      EXPECT_TRUE(killed) << "made without a kill, and not listed";
      EXPECT_FALSE(fs::exists(app.getUsersDir() + "/Pw"));
    }
    if (!killed) break;
    ASSERT_LT(kill, 100);
    fs::remove_all(app.getUsersDir());
    app.Rebuild();
  }
}

// Another copy of the program on the same data folder made the user since this one started.
TEST_F(TUsersTest, AUserAnotherCopyMadeMeanwhileIsTakenAndKept) {
  TUsersRoot other;
  users();
  ASSERT_NE(other.getUsers()->Add("Dan", "first"), nullptr);
  EXPECT_TRUE(users().isTaken("Dan"));
  EXPECT_TRUE(users().isTaken(" Dan "));
  EXPECT_EQ(users().Add("Dan", "second"), nullptr);
  EXPECT_EQ(users().Find("Dan"), nullptr);
  // Also a folder of an earlier release, made and not yet written.
  fs::create_directories(app.getUsersDir() + "/Eve");
  EXPECT_EQ(users().Add("Eve", "second"), nullptr);
  EXPECT_TRUE(fs::is_empty(app.getUsersDir() + "/Eve"));
  app.Rebuild();
  ASSERT_NE(users().Find("Dan"), nullptr);
  EXPECT_TRUE(users().Find("Dan")->CheckPassword("first"));
  EXPECT_FALSE(users().isTaken("Fay"));
}

// The other copy's folder appears while this one writes its profile: it is not replaced, not
// even when it is still empty.
TEST_F(TUsersTest, AUserFolderThatAppearsWhileTheProfileIsWrittenIsNotReplaced) {
  class OtherCopy : public FaultyFileSystem {
  public:
    explicit OtherCopy(std::string folder) : Folder(std::move(folder)) {}
    std::error_code SyncFolder(const std::string& folder) override {
      fs::create_directories(Folder);
      return FaultyFileSystem::SyncFolder(folder);
    }
    const std::string Folder;
  };
  users();
  {
    OtherCopy disk(app.getUsersDir() + "/Dan");
    EXPECT_EQ(users().Add("Dan", "second"), nullptr);
  }
  EXPECT_TRUE(users().isTaken("Dan"));
  std::vector<std::string> entries;
  for (const auto& entry : fs::directory_iterator(app.getUsersDir()))
    entries.push_back(entry.path().filename().string());
  EXPECT_EQ(entries, std::vector<std::string>{"Dan"});
  EXPECT_TRUE(fs::is_empty(app.getUsersDir() + "/Dan"));
}

TEST_F(TUsersTest, AddAppendsTheTrimmedName) {
  users().Add("Anna");
  TUser* carl = users().Add(" Carl ");
  ASSERT_NE(carl, nullptr);
  EXPECT_EQ(users().Find("Carl"), carl);
  EXPECT_EQ(users().getNames().Strings(1), "Carl");
  EXPECT_TRUE(fs::is_regular_file(app.getUsersDir() + "/Carl/Profile.ini"));
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
  PutProfile(app.getUsersDir() + "/Борис", NamedProfile(FromUtf8("Борис")));
  // Read in the code page, "А" in UTF-8 is "Рђ", also a name: the profile tells.
  ASSERT_NE(users().Add(FromUtf8("А")), nullptr);
  app.Rebuild();
  EXPECT_EQ(SortedNames(users()),
            (std::vector<std::string>{FromUtf8("А"), FromUtf8("Анна"), FromUtf8("Борис")}));
  ASSERT_NE(users().Find(FromUtf8("Борис")), nullptr);
  EXPECT_EQ(users().Find(FromUtf8("Борис"))->getProfileFolder(), app.getUsersDir() + "/Борис");
  EXPECT_TRUE(Notes().empty());
}

// An earlier release named profile folders with the name's code-page bytes.
TEST_F(TUsersTest, AFolderNamedInTheCodePageGetsItsUtf8Name) {
  const std::string dir = app.getUsersDir(), older = dir + "/" + FromUtf8("Анна");
  PutProfile(older, "[GENERAL]\r\nPassword='" + MD5Hex("secret") + "'\r\nAvatar='4'\r\n");
  fs::create_directories(older + "/English/Statistic");
  TempDir::Write(older + "/English/Statistic/run.stat", "*\r\n");
  TUser* anna = users().Find(FromUtf8("Анна"));
  ASSERT_NE(anna, nullptr);
  EXPECT_FALSE(fs::exists(older));
  EXPECT_EQ(anna->getProfileFolder(), dir + "/Анна");
  EXPECT_TRUE(anna->CheckPassword("secret"));
  EXPECT_EQ(anna->getAvatar(), 4);
  EXPECT_TRUE(fs::exists(dir + "/Анна/English/Statistic/run.stat"));
  // Its UTF-8 name reads in the code page as another name; the profile names it.
  app.Rebuild();
  EXPECT_EQ(SortedNames(users()), std::vector<std::string>{FromUtf8("Анна")});
  EXPECT_TRUE(Notes().empty());
}

// Profiles of an earlier release that cannot get their UTF-8 name are not listed, each said once
// with its reason, and no profile is listed under another's name.
TEST_F(TUsersTest, OldProfilesThatCannotBeMovedAreSaidAndLeftAsTheyAre) {
  const std::string dir = app.getUsersDir();
  std::string longName;
  for (int i = 0; i < 130; ++i) longName += FromUtf8("Ж");
  struct Case {
    const char* name;
    std::string folder;  // as it stands on the disk
    std::string shown;   // as a message shows it
    const char* reason;
    std::string named, other;  // what the reason names
  } cases[] = {
      {"Utf8TwinExists", FromUtf8("Петр"), FromUtf8("Петр"), "Unlisted.Twin", FromUtf8("Петр"), ""},
      {"AFileHasTheUtf8Name", FromUtf8("Маша"), FromUtf8("Маша"), "Unlisted.FileInTheWay",
       FromUtf8("Маша"), ""},
      {"Utf8NameTooLong", longName, longName, "Unlisted.TooLong", longName, ""},
      {"ByteOfNoCharacter", "\x98x", "?x", "Unlisted.UndefinedByte", "", ""},
      // D2 B8 is "Тё" in the code page, and in UTF-8 a letter the code page lacks.
      {"Utf8OfALetterOutsideTheCodePage", "\xD2\xB8", "?", "Unlisted.LettersOutsideCodePage", "?",
       FromUtf8("Тё")},
      // D0 90 is "Рђ" in the code page and "А" in UTF-8.
      {"ReadsAsTwoNames", "\xD0\x90", FromUtf8("А"), "Unlisted.TwoNames", FromUtf8("А"),
       FromUtf8("Рђ")},
      {"NoNameAtAll", " Padded", " Padded", "Unlisted.NoName", "", ""},
  };
  PutProfile(dir + "/Петр", NamedProfile(FromUtf8("Петр")));
  TempDir::Write(dir + "/Маша", "a file");
  std::map<std::string, std::map<std::string, std::string>> before;
  for (const Case& c : cases) {
    PutProfile(dir + "/" + c.folder,
               "[GENERAL]\r\nPassword='" + MD5Hex(c.name) + "'\r\nAvatar='4'\r\n");
    before[c.folder] = TempDir::Contents(dir + "/" + c.folder);
  }
  MessageBoxes boxes;
  EXPECT_EQ(SortedNames(users()), std::vector<std::string>{FromUtf8("Петр")});
  EXPECT_EQ(users().Find(FromUtf8("Петр"))->getProfileFolder(), dir + "/Петр");
  EXPECT_EQ(users().Find(FromUtf8("А")), nullptr);
  EXPECT_EQ(users().Find(FromUtf8("Рђ")), nullptr);
  ASSERT_EQ(Notes().size(), std::size(cases));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TempDir::Contents(dir + "/" + c.folder), before[c.folder]);
    const std::string line =
        "'" + c.shown + "': " +
        TLTObject::ReplacePlaceholder(
            TLTObject::ReplacePlaceholder(Reason(c.reason), "NAME", c.named), "OTHER", c.other);
    EXPECT_EQ(std::count(Notes().begin(), Notes().end(), line), 1) << line;
  }
  // Where a new "А" would be made stands the old "Рђ".
  EXPECT_EQ(users().Add(FromUtf8("А")), nullptr);
  EXPECT_TRUE(users().isTaken(FromUtf8("А")));
  // Said once, in one box, at start.
  users().ReportUnlisted();
  users().ReportUnlisted();
  ASSERT_EQ(boxes.Shown.size(), 1u);
  for (const std::string& note : Notes())
    EXPECT_NE(boxes.Shown[0].Text.find(note), std::string::npos);
  EXPECT_NE(boxes.Shown[0].Text.find(FromUtf8("'Петр'")), std::string::npos);
}

// A profile that says whose it is is listed under that name, whichever way its folder reads.
TEST_F(TUsersTest, AFolderThatReadsAsTwoNamesIsTheOneItsProfileNames) {
  const std::string dir = app.getUsersDir();
  PutProfile(dir + "/\xD0\x90", NamedProfile(FromUtf8("Рђ")));
  PutProfile(dir + "/\xD2\xB8", NamedProfile(FromUtf8("Тё")));
  EXPECT_EQ(SortedNames(users()), (std::vector<std::string>{FromUtf8("Рђ"), FromUtf8("Тё")}));
  EXPECT_EQ(users().Find(FromUtf8("Рђ"))->getProfileFolder(), dir + "/Рђ");
  EXPECT_TRUE(fs::exists(dir + "/Тё/Profile.ini"));
  EXPECT_FALSE(fs::exists(dir + "/\xD0\x90"));
  app.Rebuild();
  EXPECT_EQ(SortedNames(users()), (std::vector<std::string>{FromUtf8("Рђ"), FromUtf8("Тё")}));
}

// A profile that leads elsewhere, or that another account owns, is never written or made
// private: the program reads nothing of it as a user, and says why it is not listed.
TEST_F(TUsersTest, LinksAndOtherAccountsProfilesAreNoUsersAndStayAsTheyAre) {
  const std::string dir = app.getUsersDir(), outside = app.getProgramDir() + "/outside";
  users();
  TempDir::Write(outside + ".txt", "the victim's file");
  PutProfile(outside);
  chmod(outside.c_str(), 0755);
  PutProfile(dir + "/Linked");
  fs::remove(dir + "/Linked/Profile.ini");
  fs::create_symlink(outside + ".txt", dir + "/Linked/Profile.ini");
  fs::create_directory_symlink(outside, dir + "/Folder");
  PutProfile(dir + "/Others");
  chmod((dir + "/Others").c_str(), 0755);
  PutProfile(dir + "/OthersProfile");
  PutProfile(dir + "/Fifo");
  fs::remove(dir + "/Fifo/Profile.ini");
  fs::create_directory(dir + "/Fifo/Profile.ini");
  // Links to nothing a user could be are no profiles either, and are not worth a word.
  fs::create_symlink(outside + ".txt", dir + "/File");
  FaultyFileSystem disk;
  disk.PretendOthers(dir + "/Others");
  disk.PretendOthers(dir + "/OthersProfile/Profile.ini");
  const auto before = TempDir::Contents(app.getProgramDir());
  MessageBoxes boxes;
  app.Rebuild();
  EXPECT_EQ(users().getCount(), 0);
  const std::vector<std::string> expected = {
      "'Linked': " + Reason("Unlisted.ProfileIsLink"),
      "'Folder': " + Reason("Unlisted.Link"),
      "'Others': " + Reason("Unlisted.OtherAccount"),
      "'OthersProfile': " + Reason("Unlisted.OtherAccount"),
      "'Fifo': " + Reason("Unlisted.ProfileIsNoFile"),
  };
  std::vector<std::string> notes = Notes();
  std::sort(notes.begin(), notes.end());
  std::vector<std::string> sorted = expected;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(notes, sorted);
  // Not taken over by a new user either.
  for (const char* name : {"Linked", "Folder", "Others", "File"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(users().Add(name, "pw"), nullptr);
  }
  EXPECT_EQ(TempDir::Contents(app.getProgramDir()), before);
  EXPECT_EQ(TempDir::Mode(outside), 0755u);
  EXPECT_EQ(TempDir::Mode(dir + "/Others"), 0755u);
}

// Two accounts share a users folder open to all (1777): another account plants a profile that
// leads to this account's files. This one only starts the program.
TEST_F(TUsersTest, AProfileAnotherAccountPlantedInASharedFolderWritesNothingOfThisAccount) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root, to act as another account";
  constexpr uid_t kNobody = 65534;
  const std::string top = app.getProgramDir() + "/..", shared = top + "/Shared";
  const std::string home = top + "/home", bashrc = home + "/.bashrc";
  fs::create_directories(home + "/Secret");
  TempDir::Write(bashrc, "export PS1='$ '\n");
  TempDir::Write(home + "/Secret/Profile.ini", "[GENERAL]\r\n");
  chmod((home + "/Secret").c_str(), 0755);
  fs::create_directories(shared);
  chmod(top.c_str(), 0755);
  chmod(app.getProgramDir().c_str(), 0755);
  chmod(shared.c_str(), 01777);
  TempDir::Write(app.getProgramDir() + "/Lomtak.ini",
                 "[Environment]\r\nUsersDirectory='" + shared + "'\r\n");
  app.root().getUsers()->Add("Victim", "pw");
  const pid_t child = fork();
  if (child == 0) {
    // The other account: nothing but system calls until it ends.
    if (setgid(kNobody) || setuid(kNobody)) _exit(1);
    const std::string mallory = shared + "/Mallory", eve = shared + "/Eve";
    const bool planted = mkdir(mallory.c_str(), 0777) == 0 &&
                         symlink(bashrc.c_str(), (mallory + "/Profile.ini").c_str()) == 0 &&
                         symlink((home + "/Secret").c_str(), (shared + "/Linked").c_str()) == 0 &&
                         mkdir(eve.c_str(), 0755) == 0 &&
                         creat((eve + "/Profile.ini").c_str(), 0644) >= 0;
    _exit(planted ? 0 : 2);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  const auto before = TempDir::Contents(top + "/home");
  const unsigned malloryMode = TempDir::Mode(shared + "/Mallory");
  app.Rebuild();
  EXPECT_EQ(SortedNames(users()), std::vector<std::string>{"Victim"});
  TUser* victim = users().Find("Victim");
  ASSERT_NE(victim, nullptr);
  victim->setAvatar(3);
  EXPECT_EQ(users().Add("Mallory"), nullptr);
  EXPECT_EQ(TempDir::Contents(top + "/home"), before);
  EXPECT_EQ(TempDir::Read(bashrc), "export PS1='$ '\n");
  EXPECT_EQ(TempDir::Mode(shared + "/Mallory"), malloryMode);
  EXPECT_EQ(TempDir::Mode(home + "/Secret"), 0755u);
  std::vector<std::string> notes = Notes();
  std::sort(notes.begin(), notes.end());
  EXPECT_EQ(notes, (std::vector<std::string>{"'Eve': " + Reason("Unlisted.OtherAccount"),
                                             "'Linked': " + Reason("Unlisted.Link"),
                                             "'Mallory': " + Reason("Unlisted.OtherAccount")}));
}

TEST_F(TUsersTest, AUsersFolderThatCannotBeMadeOrListedIsSaid) {
  MessageBoxes boxes;
  {
    FaultyFileSystem disk;
    disk.Fail(FileOperation::MakeFolder, "/Users", std::errc::permission_denied);
    app.root();
  }
  EXPECT_EQ(users().getCount(), 0);
  ASSERT_EQ(Notes().size(), 1u);
  EXPECT_NE(Notes()[0].find(std::make_error_code(std::errc::permission_denied).message()),
            std::string::npos);
  EXPECT_FALSE(users().setDirectory(app.getProgramDir() + "/Lomtak.ini/Users"));
  EXPECT_TRUE(users().setDirectory(app.getUsersDir()));

  PutProfile(app.getUsersDir() + "/Anna");
  {
    FaultyFileSystem disk;
    disk.Fail(FileOperation::List, app.getUsersDir(), std::errc::io_error);
    users().Load();
  }
  EXPECT_EQ(users().getCount(), 0);
  ASSERT_EQ(Notes().size(), 1u);
  const std::string reason = Reason("Unlisted.UsersFolder");
  EXPECT_NE(Notes()[0].find(reason.substr(0, reason.find('%'))), std::string::npos);
  EXPECT_NE(Notes()[0].find(std::make_error_code(std::errc::io_error).message()),
            std::string::npos);
  users().ReportUnlisted();
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_NE(boxes.Shown[0].Text.find(Notes()[0]), std::string::npos);
}

TEST_F(TUsersTest, UsersDirectoryFromTheMainIniFile) {
  const std::string elsewhere = app.getProgramDir() + "/../People";
  TempDir::Write(app.getProgramDir() + "/Lomtak.ini",
                 "[Environment]\r\nUsersDirectory='" + elsewhere + "'\r\n");
  PutProfile(elsewhere + "/Anna");
  EXPECT_EQ(users().getDirectory(), elsewhere);
  EXPECT_EQ(SortedNames(users()), std::vector<std::string>{"Anna"});
}

}  // namespace
