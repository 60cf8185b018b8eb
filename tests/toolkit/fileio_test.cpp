#include "toolkit/fileio.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
