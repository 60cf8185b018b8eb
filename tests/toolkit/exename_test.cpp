#include "toolkit/exename.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/filesystem.h"

namespace {

TEST(ExeName, RealProgramOrTheTestsStandIn) {
  std::string real = ExeName();
  EXPECT_TRUE(std::filesystem::path(real).is_absolute());
  EXPECT_EQ(std::filesystem::path(real).filename(), "test_toolkit");
  SetExeName("/opt/lomtak/lomtak");
  EXPECT_EQ(ExeName(), "/opt/lomtak/lomtak");
  SetExeName("");
  EXPECT_EQ(ExeName(), real);
}

// A file system that follows no link.
class NoLinks final : public TFileSystemWrapper {
public:
  NoLinks() : TFileSystemWrapper(PosixFileSystem()) { Previous = SetFileSystem(this); }
  ~NoLinks() override { SetFileSystem(Previous); }
  std::string LinkTarget(const std::string& path) override { return path; }

private:
  TFileSystem* Previous = nullptr;
};

TEST(ExeName, AskedOfTheFileSystemAndEmptyWhereItCannotTell) {
  NoLinks files;
  EXPECT_EQ(ExeName(), "");
}

}  // namespace
