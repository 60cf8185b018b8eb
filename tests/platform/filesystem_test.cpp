#include "platform/filesystem.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>

#include "support/disklimit.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"
#include "support/watchedfifo.h"

namespace {

namespace fs = std::filesystem;

unsigned ModeOf(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
}

// The modes the tests expect come from the usual umask.
class UsualUmask {
public:
  UsualUmask() : Saved(umask(022)) {}
  ~UsualUmask() { umask(Saved); }

private:
  mode_t Saved;
};

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
  }
  EXPECT_EQ(NotARegularFile().message(), "Not a regular file");
}

TEST_F(PosixFileSystemTest, ReadOfAFifoNeverOpensIt) {
  WatchedFifo fifo(dir / "run.stat");
  ASSERT_TRUE(fifo.ok());
  std::string content;
  EXPECT_EQ(posix.ReadFile(dir / "run.stat", content), NotARegularFile());
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
  EXPECT_EQ(ModeOf(file), 0640u);
}

TEST_F(PosixFileSystemTest, MakeFoldersMakesWhatIsMissingAndNoMore) {
  ASSERT_FALSE(posix.MakeFolders(dir / "a/b/c", 0700));
  EXPECT_EQ(ModeOf(dir / "a"), 0700u);
  EXPECT_EQ(ModeOf(dir / "a/b/c"), 0700u);
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

// A process id that no process has now.
pid_t DeadProcess() {
  pid_t pid = 4000000;
  while (kill(pid, 0) == 0 || errno != ESRCH) --pid;
  return pid;
}

TEST_F(PosixFileSystemTest, ReplaceRemovesTheTemporaryFilesOfKilledWriters) {
  std::string file = dir / "a.ini";
  TempDir::Write(file, "old");
  const std::string dead = std::to_string(DeadProcess());
  const std::string stale[] = {file + ".~" + dead + ".0", file + ".~" + dead + ".17"};
  const std::string kept[] = {
      file + ".~" + std::to_string(getppid()) + ".3",  // a writer that still runs
      file + ".~" + std::to_string(getpid()) + ".9",   // perhaps a save of this process
      dir / ("b.ini.~" + dead + ".0"),                 // another file's
      file + ".~" + dead,                              // not of the naming scheme
      file + ".~x" + dead + ".1",
      file + ".~" + dead + ".1.bak",
  };
  for (const std::string& name : stale) TempDir::Write(name, "half");
  for (const std::string& name : kept) TempDir::Write(name, "half");
  ASSERT_FALSE(posix.ReplaceFile(file, "new"));
  EXPECT_EQ(TempDir::Read(file), "new");
  for (const std::string& name : stale) EXPECT_FALSE(fs::exists(name)) << name;
  for (const std::string& name : kept) EXPECT_TRUE(fs::exists(name)) << name;
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
