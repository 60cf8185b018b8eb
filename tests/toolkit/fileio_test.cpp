#include "toolkit/fileio.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <filesystem>

#include "support/disklimit.h"
#include "support/tempdir.h"

namespace {

TEST(FileIo, ReplaceWritesNewContentAndLeavesNoTemporaryFile) {
  TempDir dir;
  std::string file = dir / "a.txt", error;
  TempDir::Write(file, "old");
  ASSERT_TRUE(ReplaceFile(file, std::string("new\0bytes", 9), error)) << error;
  EXPECT_EQ(TempDir::Read(file), std::string("new\0bytes", 9));
  EXPECT_EQ(dir.EntryCount(), 1u);
}

// A process id that no process has now.
pid_t DeadProcess() {
  pid_t pid = 4000000;
  while (kill(pid, 0) == 0 || errno != ESRCH) --pid;
  return pid;
}

TEST(FileIo, ReplaceRemovesTheTemporaryFilesOfKilledWriters) {
  TempDir dir;
  std::string file = dir / "a.ini", error;
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
  ASSERT_TRUE(ReplaceFile(file, "new", error)) << error;
  EXPECT_EQ(TempDir::Read(file), "new");
  for (const std::string& name : stale) EXPECT_FALSE(std::filesystem::exists(name)) << name;
  for (const std::string& name : kept) EXPECT_TRUE(std::filesystem::exists(name)) << name;
}

TEST(FileIo, FullDiskKeepsOldContent) {
  TempDir dir;
  std::string file = dir / "a.txt", error;
  TempDir::Write(file, "old content");
  {
    DiskLimit limit(1000);
    EXPECT_FALSE(ReplaceFile(file, std::string(5000, 'x'), error));
  }
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(TempDir::Read(file), "old content");
  EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(FileIo, ReplaceFailsWhereNoFileCanBe) {
  TempDir dir;
  std::string plain = dir / "plain";
  TempDir::Write(plain, "x");
  std::filesystem::create_directory(dir / "folder");
  struct Case {
    const char* name;
    std::string path;
  } cases[] = {
      {"MissingFolder", dir / "missing/a.txt"},
      {"UnderARegularFile", plain + "/a.txt"},
      {"AFolderStandsThere", dir / "folder"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    EXPECT_FALSE(ReplaceFile(c.path, "new", error));
    EXPECT_FALSE(error.empty());
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));
  EXPECT_EQ(dir.EntryCount(), 2u);
}

TEST(FileIo, ReplaceKeepsPermissionsAndFollowsLinks) {
  TempDir dir;
  std::string file = dir / "a.txt", link = dir / "link", error;
  TempDir::Write(file, "old");
  chmod(file.c_str(), 0640);
  ASSERT_EQ(symlink(file.c_str(), link.c_str()), 0);
  ASSERT_TRUE(ReplaceFile(link, "new", error)) << error;
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(TempDir::Read(file), "new");
  struct stat info;
  ASSERT_EQ(stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(FileIo, ReadReportsMissingFilesAndFolders) {
  TempDir dir;
  std::string content = "stale", error;
  EXPECT_FALSE(ReadFileBytes(dir / "missing", content, &error));
  EXPECT_TRUE(content.empty());
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(ReadFileBytes(dir.path(), content));
}

}  // namespace
