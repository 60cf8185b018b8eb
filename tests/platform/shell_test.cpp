#include "platform/shell.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scopedenv.h"
#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;

TEST(Shell, DeleteFolderTreeRemovesEverythingBelow) {
  TempDir dir;
  fs::create_directories(dir / "tree/sub/deeper");
  TempDir::Write(dir / "tree/a.txt", "a");
  TempDir::Write(dir / "tree/sub/deeper/b.txt", "b");
  EXPECT_TRUE(DeleteFolderTree(dir / "tree"));
  EXPECT_FALSE(fs::exists(dir / "tree"));
  EXPECT_FALSE(DeleteFolderTree(dir / "tree"));
  EXPECT_FALSE(DeleteFolderTree(""));
}

TEST(Shell, DeleteFolderTreeRemovesALinkNotItsTarget) {
  TempDir dir;
  fs::create_directory(dir / "target");
  TempDir::Write(dir / "target/keep.txt", "k");
  fs::create_directory_symlink(dir / "target", dir / "link");
  EXPECT_TRUE(DeleteFolderTree(dir / "link"));
  EXPECT_TRUE(fs::exists(dir / "target/keep.txt"));
}

TEST(Shell, AppDataFolderFollowsXdgDataHome) {
  struct Case {
    const char* name;
    const char* xdg;
    const char* home;
    std::string expected;
  } cases[] = {
      {"XdgSet", "/data/x", "/home/u", "/data/x"},
      {"XdgUnset", nullptr, "/home/u", "/home/u/.local/share"},
      {"XdgEmpty", "", "/home/u/", "/home/u/.local/share"},
      {"XdgRelativeIgnored", "rel", "/home/u", "/home/u/.local/share"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedEnv xdg("XDG_DATA_HOME", c.xdg), home("HOME", c.home);
    EXPECT_EQ(AppDataFolder(), c.expected);
  }
}

}  // namespace
