#include "platform/filesystem.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "support/disklimit.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"
#include "support/usualumask.h"
#include "support/watchedfifo.h"

namespace {

namespace fs = std::filesystem;

class PosixFileSystemTest : public testing::Test {
protected:
  TFileSystem& posix = PosixFileSystem();
  TempDir dir;
  UsualUmask mask;
};

TEST_F(PosixFileSystemTest, ReadGivesTheBytesOfRegularFilesOnly) {
  TempDir::Write(dir / "a.txt", std::string("bytes\0more", 10));
  fs::create_directory(dir / "folder");
  fs::create_symlink("/dev/zero", dir / "device");
  struct Case {
    const char* name;
    std::string path;
    std::error_code error;
  } cases[] = {
      {"RegularFile", dir / "a.txt", {}},
      {"Missing", dir / "missing", std::make_error_code(std::errc::no_such_file_or_directory)},
      {"Folder", dir / "folder", std::make_error_code(std::errc::is_a_directory)},
      // It would never end.
      {"LinkToADevice", dir / "device", NotARegularFile()},
      {"Device", "/dev/zero", NotARegularFile()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string content = "stale";
    EXPECT_EQ(posix.ReadFile(c.path, content), c.error);
    EXPECT_EQ(content, c.error ? "" : std::string("bytes\0more", 10));
    content = "stale";
    EXPECT_EQ(posix.ReadFileAt(c.path, 2, 5, content), c.error);
    EXPECT_EQ(content, c.error ? "" : std::string("tes\0m", 5));
  }
  EXPECT_EQ(NotARegularFile().message(), "Not a regular file");
}

TEST_F(PosixFileSystemTest, AReadAtAnOffsetEndsWithTheFile) {
  TempDir::Write(dir / "a.txt", "0123456789");
  struct Case {
    const char* name;
    uint64_t offset;
    size_t size;
    std::string bytes;
  } cases[] = {
      {"Inside", 3, 4, "3456"},
      {"PastTheEnd", 7, 10, "789"},
      {"AtTheEnd", 10, 4, ""},
      {"BeyondTheEnd", 1u << 20, 4, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes = "stale";
    EXPECT_FALSE(posix.ReadFileAt(dir / "a.txt", c.offset, c.size, bytes));
    EXPECT_EQ(bytes, c.bytes);
  }
}

TEST_F(PosixFileSystemTest, ReadOfAFifoNeverOpensIt) {
  WatchedFifo fifo(dir / "run.stat");
  ASSERT_TRUE(fifo.ok());
  std::string content;
  EXPECT_EQ(posix.ReadFile(dir / "run.stat", content), NotARegularFile());
  EXPECT_EQ(posix.ReadFileAt(dir / "run.stat", 0, 16, content), NotARegularFile());
  EXPECT_EQ(posix.Status(dir / "run.stat").Kind, TFileKind::Other);
  EXPECT_FALSE(fifo.Opened()) << "a reader would wait for a writer";
}

TEST_F(PosixFileSystemTest, ReplaceWritesNewContentAndLeavesNoTemporaryFile) {
  const std::string file = dir / "a.txt";
  TempDir::Write(file, "old");
  ASSERT_FALSE(posix.ReplaceFile(file, std::string("new\0bytes", 9)));
  EXPECT_EQ(TempDir::Read(file), std::string("new\0bytes", 9));
  EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST_F(PosixFileSystemTest, ReplaceKeepsPermissionsAndFollowsLinks) {
  const std::string file = dir / "a.txt", link = dir / "link";
  TempDir::Write(file, "old");
  chmod(file.c_str(), 0640);
  ASSERT_EQ(symlink(file.c_str(), link.c_str()), 0);
  ASSERT_FALSE(posix.ReplaceFile(link, "new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(TempDir::Read(file), "new");
  EXPECT_EQ(TempDir::Mode(file), 0640u);
}

// A link another account planted (in a folder shared by several accounts) must not make a save
// write where it leads.
TEST_F(PosixFileSystemTest, ReplaceFollowsNoLinkOfAnotherAccount) {
  const std::string file = dir / "victim", link = dir / "Profile.ini";
  TempDir::Write(file, "old");
  ASSERT_EQ(symlink(file.c_str(), link.c_str()), 0);
  FaultyFileSystem disk;
  disk.PretendOthers(link);
  EXPECT_EQ(disk.ReplaceFile(link, "new"), std::errc::operation_not_permitted);
  EXPECT_EQ(TempDir::Read(file), "old");
  EXPECT_TRUE(fs::is_symlink(link));
  // Nor one of this account's that leads to another account's file.
  FaultyFileSystem other;
  other.PretendOthers(file);
  EXPECT_EQ(other.ReplaceFile(link, "new"), std::errc::operation_not_permitted);
  EXPECT_EQ(TempDir::Read(file), "old");
  EXPECT_EQ(dir.EntryCount(), 2u);
}

TEST_F(PosixFileSystemTest, LinkStatusTellsTheLinkItselfAndItsOwner) {
  TempDir::Write(dir / "file", "x");
  fs::create_directory(dir / "folder");
  fs::create_symlink(dir / "file", dir / "link");
  fs::create_symlink(dir / "nowhere", dir / "dangling");
  struct Case {
    const char* name;
    std::string path;
    TFileKind kind;
  } cases[] = {
      {"File", dir / "file", TFileKind::Regular},
      {"Folder", dir / "folder", TFileKind::Folder},
      {"Link", dir / "link", TFileKind::Link},
      {"Dangling", dir / "dangling", TFileKind::Link},
      {"Missing", dir / "missing", TFileKind::Missing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TFileStatus status = posix.LinkStatus(c.path);
    EXPECT_EQ(status.Kind, c.kind);
    if (c.kind != TFileKind::Missing) {
      EXPECT_EQ(status.Owner, ThisAccount());
    }
  }
  EXPECT_EQ(posix.Status(dir / "link").Kind, TFileKind::Regular);
  EXPECT_EQ(posix.Status(dir / "file").Owner, ThisAccount());
  EXPECT_GE(posix.LongestName(dir.path()), 255u);
}

TEST_F(PosixFileSystemTest, MoveNewNeverReplacesAnything) {
  fs::create_directories(dir / "made/inside");
  TempDir::Write(dir / "file", "x");
  fs::create_directory(dir / "empty");
  fs::create_symlink(dir / "nowhere", dir / "dangling");
  for (const char* there : {"file", "empty", "dangling"}) {
    SCOPED_TRACE(there);
    EXPECT_EQ(posix.MoveNew(dir / "made", dir / there), std::errc::file_exists);
    EXPECT_TRUE(fs::exists(dir / "made/inside"));
  }
  EXPECT_TRUE(fs::is_empty(dir / "empty"));
  EXPECT_FALSE(posix.MoveNew(dir / "made", dir / "placed"));
  EXPECT_TRUE(fs::exists(dir / "placed/inside"));
  EXPECT_FALSE(fs::exists(dir / "made"));
}

TEST_F(PosixFileSystemTest, RemoveEntryTakesOneEntryOnly) {
  fs::create_directories(dir / "full/inside");
  fs::create_directory(dir / "empty");
  TempDir::Write(dir / "file", "x");
  fs::create_directory_symlink(dir / "full", dir / "link");
  EXPECT_EQ(posix.RemoveEntry(dir / "full"), std::errc::directory_not_empty);
  EXPECT_FALSE(posix.RemoveEntry(dir / "link"));
  EXPECT_TRUE(fs::exists(dir / "full/inside"));
  EXPECT_FALSE(posix.RemoveEntry(dir / "empty"));
  EXPECT_FALSE(posix.RemoveEntry(dir / "file"));
  EXPECT_EQ(posix.RemoveEntry(dir / "file"), std::errc::no_such_file_or_directory);
  EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST_F(PosixFileSystemTest, SetOwnModeChangesNothingThroughALink) {
  fs::create_directory(dir / "folder");
  chmod((dir / "folder").c_str(), 0755);
  fs::create_directory_symlink(dir / "folder", dir / "link");
  EXPECT_EQ(posix.SetOwnMode(dir / "link", 0700), std::errc::too_many_symbolic_link_levels);
  EXPECT_EQ(TempDir::Mode(dir / "folder"), 0755u);
  EXPECT_FALSE(posix.SetOwnMode(dir / "folder", 0700));
  EXPECT_EQ(TempDir::Mode(dir / "folder"), 0700u);
  FaultyFileSystem disk;
  disk.PretendOthers(dir / "folder");
  EXPECT_EQ(disk.SetOwnMode(dir / "folder", 0755), std::errc::operation_not_permitted);
  EXPECT_EQ(TempDir::Mode(dir / "folder"), 0700u);
}

TEST_F(PosixFileSystemTest, WhatIsMadeIsNoMoreOpenThanItsFolder) {
  struct Case {
    const char* name;
    unsigned folder, file, below;
  } cases[] = {
      {"Open", 0755, 0644, 0755},
      {"Private", 0700, 0600, 0700},
      {"GroupMayEnter", 0750, 0640, 0750},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string folder = dir / c.name;
    ASSERT_FALSE(posix.MakeFolder(folder, c.folder));
    ASSERT_FALSE(posix.ReplaceFile(folder + "/Profile.ini", "[GENERAL]\r\n"));
    EXPECT_EQ(TempDir::Mode(folder + "/Profile.ini"), c.file);
    ASSERT_FALSE(posix.MakeFolders(folder + "/English/Statistic"));
    EXPECT_EQ(TempDir::Mode(folder + "/English"), c.below);
    EXPECT_EQ(TempDir::Mode(folder + "/English/Statistic"), c.below);
  }
}

TEST_F(PosixFileSystemTest, MakeFoldersMakesWhatIsMissingAndNoMore) {
  ASSERT_FALSE(posix.MakeFolders(dir / "a/b/c", 0700));
  EXPECT_EQ(TempDir::Mode(dir / "a"), 0700u);
  EXPECT_EQ(TempDir::Mode(dir / "a/b/c"), 0700u);
  EXPECT_FALSE(posix.MakeFolders(dir / "a/b/c"));
  EXPECT_FALSE(posix.MakeFolders(dir / "a//b/"));
  TempDir::Write(dir / "file", "x");
  EXPECT_EQ(posix.MakeFolders(dir / "file/sub"), std::errc::not_a_directory);
  EXPECT_EQ(posix.MakeFolders(dir / "file"), std::errc::not_a_directory);
  EXPECT_TRUE(posix.MakeFolders(""));
}

TEST_F(PosixFileSystemTest, ReplaceFailsWhereNoFileCanBe) {
  TempDir::Write(dir / "plain", "x");
  fs::create_directory(dir / "folder");
  for (const std::string& path : {dir / "missing/a.txt", dir / "plain/a.txt", dir / "folder"}) {
    SCOPED_TRACE(path);
    EXPECT_TRUE(posix.ReplaceFile(path, "new"));
  }
  EXPECT_TRUE(fs::is_directory(dir / "folder"));
  EXPECT_EQ(dir.EntryCount(), 2u);
}

TEST_F(PosixFileSystemTest, AFullDiskKeepsTheOldContent) {
  const std::string file = dir / "a.txt";
  TempDir::Write(file, "old content");
  std::error_code failed;
  {
    DiskLimit limit(1000);
    failed = posix.ReplaceFile(file, std::string(5000, 'x'));
  }
  EXPECT_EQ(failed, std::errc::file_too_large);
  EXPECT_EQ(TempDir::Read(file), "old content");
  EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST_F(PosixFileSystemTest, ListFolderNamesEveryEntry) {
  TempDir::Write(dir / "a", "");
  fs::create_directory(dir / "b");
  std::vector<std::string> names;
  ASSERT_FALSE(posix.ListFolder(dir.path(), names));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(posix.ListFolder(dir / "missing", names), std::errc::no_such_file_or_directory);
  EXPECT_TRUE(names.empty());
}

TEST_F(PosixFileSystemTest, RemoveTakesEverythingBelowButNotWhatALinkLeadsTo) {
  fs::create_directories(dir / "tree/sub/deeper");
  TempDir::Write(dir / "tree/a.txt", "a");
  TempDir::Write(dir / "tree/sub/deeper/b.txt", "b");
  EXPECT_FALSE(posix.Remove(dir / "tree"));
  EXPECT_FALSE(fs::exists(dir / "tree"));
  EXPECT_EQ(posix.Remove(dir / "tree"), std::errc::no_such_file_or_directory);
  EXPECT_TRUE(posix.Remove(""));

  fs::create_directory(dir / "target");
  TempDir::Write(dir / "target/keep.txt", "k");
  fs::create_directory_symlink(dir / "target", dir / "link");
  EXPECT_FALSE(posix.Remove(dir / "link"));
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "link")));
  EXPECT_TRUE(fs::exists(dir / "target/keep.txt"));
}

TEST_F(PosixFileSystemTest, AFileBeingWrittenSaysSoToOthers) {
  std::unique_ptr<TNewFile> file;
  ASSERT_FALSE(posix.CreateFile(dir / "new", 0600, file));
  EXPECT_TRUE(posix.IsBeingWritten(dir / "new"));
  EXPECT_EQ(posix.CreateFile(dir / "new", 0600, file), std::errc::file_exists);
  ASSERT_FALSE(file->Append("x"));
  ASSERT_FALSE(file->Close());
  EXPECT_FALSE(posix.IsBeingWritten(dir / "new"));
  EXPECT_FALSE(posix.IsBeingWritten(dir / "missing"));
}

// A temporary as a writer left it: `age` seconds unchanged, held open by a writer or not.
class Temporary {
public:
  Temporary(const std::string& path, int age, bool held) : Path(path) {
    TempDir::Write(path, "half");
    TempDir::Age(path, age);
    if (held) {
      Held = open(path.c_str(), O_WRONLY);
      flock(Held, LOCK_EX);
    }
  }
  ~Temporary() {
    if (Held >= 0) close(Held);
  }
  const std::string Path;

private:
  int Held = -1;
};

TEST_F(PosixFileSystemTest, OnlyStaleTemporariesOfTheFolderAreCleared) {
  constexpr int kHour = 3600;
  struct Case {
    const char* name;
    std::string file;
    int age;
    bool held, cleared;
  } cases[] = {
      {"KilledWriter", "2010-03-05-09-07-03.stat.~12345.0", kHour, false, true},
      {"AnotherFilesKilledWriter", "Profile.ini.~99.17", 2 * kHour, false, true},
      {"AWriterStillAtWork", "2011-01-01-00-00-00.stat.~12346.3", kHour, true, false},
      {"JustMade", "2012-01-01-00-00-00.stat.~12347.0", 5, false, false},
      {"NotOurNaming", "2010-03-05-09-07-03.stat.~12345", kHour, false, false},
      {"NotOurNamingEither", "a.stat.~x1.1", kHour, false, false},
      {"ABackup", "a.stat.~1.1.bak", kHour, false, false},
      {"ALog", "2010-03-05-09-07-04.stat", kHour, false, false},
  };
  std::vector<std::unique_ptr<Temporary>> files;
  for (const Case& c : cases)
    files.push_back(std::make_unique<Temporary>(dir / c.file, c.age, c.held));
  posix.RemoveStaleTemporaries(dir.path());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(fs::exists(dir / c.file), !c.cleared);
  }
}

TEST_F(PosixFileSystemTest, TheFirstReplacementInAFolderClearsItsStaleTemporaries) {
  Temporary stale(dir / "2010-03-05-09-07-03.stat.~12345.0", 3600, false);
  ASSERT_FALSE(posix.ReplaceFile(dir / "2020-01-01-00-00-00.stat", "*\r\n"));
  EXPECT_FALSE(fs::exists(stale.Path));
  // Later replacements in the folder do not look again.
  Temporary later(dir / "2010-03-05-09-07-04.stat.~12345.1", 3600, false);
  ASSERT_FALSE(posix.ReplaceFile(dir / "2020-01-01-00-00-00.stat", "*\r\n*\r\n"));
  EXPECT_TRUE(fs::exists(later.Path));
}

// The replacement built on the primitives, when one of them fails on the way.
TEST(FileSystemTest, AFailedReplacementKeepsTheOldFileAndLeavesNothingBehind) {
  struct Case {
    const char* name;
    std::function<void(FaultyFileSystem&)> fault;
    std::errc error;
  } cases[] = {
      {"NoSpaceAtTheFirstByte", [](FaultyFileSystem& disk) { disk.FillAfter(0); },
       std::errc::no_space_on_device},
      {"NoSpaceInTheMiddle", [](FaultyFileSystem& disk) { disk.FillAfter(100); },
       std::errc::no_space_on_device},
      {"SyncFails", [](FaultyFileSystem& disk) { disk.Fail(FileOperation::Sync, "a.ini"); },
       std::errc::io_error},
      {"RenameFails", [](FaultyFileSystem& disk) { disk.Fail(FileOperation::Rename, "a.ini"); },
       std::errc::io_error},
      {"NoNewFile",
       [](FaultyFileSystem& disk) {
         disk.Fail(FileOperation::Create, "a.ini", std::errc::permission_denied);
       },
       std::errc::permission_denied},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string file = dir / "a.ini";
    TempDir::Write(file, "old");
    FaultyFileSystem disk;
    c.fault(disk);
    EXPECT_EQ(FileSystem().ReplaceFile(file, std::string(1000, 'n')), c.error);
    EXPECT_EQ(TempDir::Read(file), "old");
    EXPECT_EQ(dir.EntryCount(), 1u);
  }
}

// Until its folder is on the disk the new name may be lost in a crash: not yet saved, though
// readers already see it.
TEST(FileSystemTest, AFolderThatCannotBePutOnTheDiskFailsTheReplacement) {
  TempDir dir;
  const std::string file = dir / "a.ini";
  TempDir::Write(file, "old");
  FaultyFileSystem disk;
  disk.Fail(FileOperation::SyncFolder, dir.path());
  EXPECT_EQ(FileSystem().ReplaceFile(file, "new"), std::errc::io_error);
  EXPECT_EQ(TempDir::Read(file), "new");
  EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(FileSystemTest, TheProgramsFileSystemIsTheInstalledOne) {
  EXPECT_EQ(&FileSystem(), &PosixFileSystem());
  {
    FaultyFileSystem disk;
    EXPECT_EQ(&FileSystem(), &disk);
    {
      FaultyFileSystem inner;
      EXPECT_EQ(&FileSystem(), &inner);
    }
    EXPECT_EQ(&FileSystem(), &disk);
  }
  EXPECT_EQ(&FileSystem(), &PosixFileSystem());
}

}  // namespace
