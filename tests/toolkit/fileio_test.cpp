#include "toolkit/fileio.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/tempdir.h"
#include "support/watchedfifo.h"

namespace {

TEST(FileIo, ReplaceWritesNewContent) {
  TempDir dir;
  std::string file = dir / "a.txt", error;
  TempDir::Write(file, "old");
  ASSERT_TRUE(ReplaceFile(file, std::string("new\0bytes", 9), error)) << error;
  EXPECT_EQ(TempDir::Read(file), std::string("new\0bytes", 9));
  EXPECT_TRUE(error.empty());
}

TEST(FileIo, FailuresComeWithTheSystemsText) {
  TempDir dir;
  std::string error;
  EXPECT_FALSE(ReplaceFile(dir / "missing/a.txt", "new", error));
  EXPECT_EQ(error, "No such file or directory");
  std::filesystem::create_directory(dir / "folder");
  WatchedFifo fifo(dir / "fifo");
  ASSERT_TRUE(fifo.ok());
  struct Case {
    const char* name;
    std::string path, error;
  } cases[] = {
      {"Missing", dir / "missing", "No such file or directory"},
      {"Folder", dir / "folder", "Is a directory"},
      {"Fifo", dir / "fifo", "Not a regular file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string content = "stale";
    error.clear();
    EXPECT_FALSE(ReadFileBytes(c.path, content, &error));
    EXPECT_TRUE(content.empty());
    EXPECT_EQ(error, c.error);
    EXPECT_FALSE(ReadFileBytes(c.path, content));
  }
  EXPECT_FALSE(fifo.Opened());
}

TEST(FileIo, FilesAreAnythingButFolders) {
  TempDir dir;
  TempDir::Write(dir / "a.txt", "");
  EXPECT_TRUE(FileExists(dir / "a.txt"));
  EXPECT_FALSE(FileExists(dir.path()));
  EXPECT_FALSE(FileExists(dir / "missing"));
  EXPECT_TRUE(DirectoryExists(dir.path()));
  EXPECT_FALSE(DirectoryExists(dir / "a.txt"));
  EXPECT_FALSE(DirectoryExists(dir / "missing"));
}

}  // namespace
