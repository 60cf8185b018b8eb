#include "engine/tbinaryfile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/faultyfilesystem.h"
#include "support/testfiles.h"

namespace {

using TBinaryFileTest = TTempFolderTest;

TEST_F(TBinaryFileTest, ReadsWhatIsThereAndReportsTheEnd) {
  TempDir::Write(PathOf("data"), "abcdef");
  TBinaryFile file;
  ASSERT_TRUE(file.Open(PathOf("data"), TBinaryFile::ofRead));
  EXPECT_EQ(file.getFileName(), PathOf("data"));
  EXPECT_TRUE(file.isOpen());
  EXPECT_EQ(file.Length(), 6);
  char buffer[16] = {};
  ASSERT_TRUE(file.Read(buffer, 4));
  EXPECT_EQ(std::string(buffer), "abcd");
  EXPECT_FALSE(file.Eof());
  EXPECT_TRUE(file.Read(buffer, 10));  // fewer left than asked
  EXPECT_EQ(file.Position(), 6);
  EXPECT_TRUE(file.Eof());
  EXPECT_TRUE(file.Close());
  EXPECT_FALSE(file.isOpen());
  EXPECT_EQ(file.getFileName(), "");
}

TEST_F(TBinaryFileTest, WithoutAFileNothingReads) {
  TBinaryFile file;
  char buffer[4];
  EXPECT_FALSE(file.Read(buffer, 4));
  EXPECT_EQ(file.getErrorText(), "File not opened!");
  TBinaryFile other;
  EXPECT_FALSE(other.Eof());
  EXPECT_EQ(other.getErrorText(), "File not opened!");
}

TEST_F(TBinaryFileTest, FailedOpenLeavesTheReaderUsable) {
  TBinaryFile file;
  EXPECT_FALSE(file.Open(PathOf("missing"), TBinaryFile::ofRead));
  EXPECT_EQ(file.getErrorText(), "Open error - No such file or directory");
  EXPECT_EQ(file.getFileName(), "");
  EXPECT_FALSE(file.isOpen());
  TempDir::Write(PathOf("data"), "x");
  EXPECT_TRUE(file.Open(PathOf("data"), TBinaryFile::ofRead));
}

TEST_F(TBinaryFileTest, SecondOpenKeepsTheOpenFile) {
  TempDir::Write(PathOf("first"), "1");
  TempDir::Write(PathOf("second"), "22");
  TBinaryFile file;
  ASSERT_TRUE(file.Open(PathOf("first"), TBinaryFile::ofRead));
  EXPECT_FALSE(file.Open(PathOf("second"), TBinaryFile::ofRead));
  EXPECT_EQ(file.getErrorText(), "Anover file is opened now!");
  EXPECT_EQ(file.getFileName(), PathOf("first"));
  EXPECT_EQ(file.Length(), 1);
}

TEST_F(TBinaryFileTest, DefaultFlagsCreateAMissingFile) {
  TBinaryFile file;
  ASSERT_TRUE(file.Open(PathOf("new"), 0));
  EXPECT_TRUE(std::filesystem::exists(PathOf("new")));
}

TEST_F(TBinaryFileTest, OpenClearsReadOnly) {
  TempDir::Write(PathOf("locked"), "x");
  ASSERT_EQ(chmod(PathOf("locked").c_str(), 0444), 0);
  TBinaryFile file;
  ASSERT_TRUE(file.Open(PathOf("locked"), TBinaryFile::ofRead));
  struct stat info;
  ASSERT_EQ(stat(PathOf("locked").c_str(), &info), 0);
  EXPECT_TRUE(info.st_mode & S_IWUSR);
}

// What stands there is looked at first: a FIFO is never opened, so a load cannot hang on it.
TEST_F(TBinaryFileTest, WhatIsNoRegularFileIsNotOpened) {
  ASSERT_EQ(mkfifo(PathOf("fifo").c_str(), 0600), 0);
  std::filesystem::create_directory(PathOf("folder"));
  const struct {
    const char* name;
    std::string error;
  } cases[] = {
      {"fifo", "Open error - Not a regular file"},
      {"folder", "Open error - Is a directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TBinaryFile file;
    EXPECT_FALSE(file.Open(PathOf(c.name), TBinaryFile::ofRead));
    EXPECT_EQ(file.getErrorText(), c.error);
    EXPECT_FALSE(file.isOpen());
  }
}

// Every way to the file goes through the program's file system, so each can fail there.
TEST_F(TBinaryFileTest, TheFileSystemsFailuresReachTheReader) {
  TempDir::Write(PathOf("data"), "abcdef");
  {
    FaultyFileSystem disk;
    disk.Fail(FileOperation::Read, "data");
    TBinaryFile file;
    EXPECT_FALSE(file.Open(PathOf("data"), TBinaryFile::ofRead));
    EXPECT_EQ(file.getErrorText(), "Open error - Input/output error");
  }
  {
    TBinaryFile file;
    ASSERT_TRUE(file.Open(PathOf("data"), TBinaryFile::ofRead));
    FaultyFileSystem disk;
    disk.Fail(FileOperation::Read, "data");
    char buffer[4];
    EXPECT_FALSE(file.Read(buffer, 4));
    EXPECT_EQ(file.getErrorText(), "Read error - Input/output error");
    EXPECT_EQ(file.Position(), 0);
  }
  {
    // Not looked at, not made writable; it still opens.
    ASSERT_EQ(chmod(PathOf("data").c_str(), 0444), 0);
    FaultyFileSystem disk;
    disk.Fail(FileOperation::Status, "data");
    TBinaryFile file;
    EXPECT_TRUE(file.Open(PathOf("data"), TBinaryFile::ofRead));
    struct stat info;
    ASSERT_EQ(stat(PathOf("data").c_str(), &info), 0);
    EXPECT_FALSE(info.st_mode & S_IWUSR);
  }
}

}  // namespace
