#include "foundation/filetools.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <set>
#include <vector>

#include "support/faultyfilesystem.h"
#include "support/tempdir.h"
#include "toolkit/stringlist.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Entries(const TStringList& list) { return {list.begin(), list.end()}; }

class FileToolsTest : public ::testing::Test {
protected:
  void Touch(const std::string& relative) {
    fs::create_directories(fs::path(dir / relative).parent_path());
    TempDir::Write(dir / relative, "x");
  }
  TempDir dir;
  TStringList list;
};

TEST_F(FileToolsTest, RecursiveSearchListsSubfoldersFirstDepthFirst) {
  for (const char* name : {"r2.Jpg", "B/notes.txt", "A/a2.JPG", "readme.txt", "B/b1.jpg",
                           "A/C/c1.jpg", "r1.jpg", "A/a1.jpg"})
    Touch(name);
  fs::create_directory(dir / "Empty.jpg");  // a folder whose name matches is not listed
  ASSERT_TRUE(FindFiles(dir.path(), "*.jpg", true, list));

  // In name order whatever the order of creation or the letter case.
  const std::vector<std::string> expected = {dir / "A/C/c1.jpg", dir / "A/a1.jpg", dir / "A/a2.JPG",
                                             dir / "B/b1.jpg",   dir / "r1.jpg",   dir / "r2.Jpg"};
  EXPECT_EQ(Entries(list), expected);
}

TEST_F(FileToolsTest, FlatSearchSkipsFoldersAndKeepsDotFiles) {
  Touch("file.txt");
  Touch(".hidden");
  Touch("noext");
  Touch("sub/inner.txt");
  fs::create_directory(dir / ".dotfolder");
  ASSERT_TRUE(FindFiles(dir.path() + "/", "*.*", false, list));
  std::set<std::string> found(list.begin(), list.end());
  EXPECT_EQ(found, (std::set<std::string>{dir / "file.txt", dir / ".hidden", dir / "noext"}));
}

TEST_F(FileToolsTest, MasksIgnoreLetterCase) {
  struct Case {
    const char* name;
    const char* pattern;
    std::set<std::string> matches;
  } cases[] = {
      {"Extension", "*.jpg", {"Photo.JPG", "b.jpg"}},
      {"ExtensionUpperCase", "*.JPG", {"Photo.JPG", "b.jpg"}},
      {"Question", "?.jpg", {"b.jpg"}},
      {"Exact", "PROFILE.INI", {"Profile.ini"}},
      {"All", "*", {"Photo.JPG", "b.jpg", "Profile.ini", "README", "x.jpg.bak"}},
      {"StarDotStar", "*.*", {"Photo.JPG", "b.jpg", "Profile.ini", "README", "x.jpg.bak"}},
      {"NameDotStarMatchesNoExtension", "readme.*", {"README"}},
      {"NoMatch", "*.wav", {}},
  };
  for (const char* name : {"Photo.JPG", "b.jpg", "Profile.ini", "README", "x.jpg.bak"}) Touch(name);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(FindFiles(dir.path(), c.pattern, false, list));
    std::set<std::string> found;
    for (const std::string& path : list) found.insert(fs::path(path).filename().string());
    EXPECT_EQ(found, c.matches);
  }
}

TEST_F(FileToolsTest, MissingFolderGivesFalseAndAnEmptyList) {
  list.Add("stale");
  EXPECT_FALSE(FindFiles(dir / "missing", "*.*", true, list));
  EXPECT_EQ(list.Count(), 0);
  Touch("file.txt");
  list.Add("stale");
  EXPECT_FALSE(FindFiles(dir / "file.txt", "*.*", false, list));
  EXPECT_EQ(list.Count(), 0);
}

// A listing that failed is no empty folder: the caller hears of it.
TEST_F(FileToolsTest, AFolderThatCannotBeListedGivesFalseAndAnEmptyList) {
  Touch("a.jpg");
  Touch("sub/b.jpg");
  for (const std::string& failing : {dir.path(), dir / "sub"}) {
    SCOPED_TRACE(failing);
    FaultyFileSystem disk;
    disk.Fail(FileOperation::List, failing, std::errc::permission_denied);
    list.Add("stale");
    EXPECT_FALSE(FindFiles(dir.path(), "*.jpg", true, list));
    EXPECT_EQ(list.Count(), 0);
  }
  EXPECT_TRUE(FindFiles(dir.path(), "*.jpg", true, list));
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(FileToolsTest, EmptyFolderTextSearchesTheCurrentFolder) {
  Touch("here.txt");
  std::string previous = fs::current_path().string();
  fs::current_path(dir.path());
  bool found = FindFiles("", "*.txt", true, list);
  fs::current_path(previous);
  EXPECT_TRUE(found);
  EXPECT_EQ(Entries(list), std::vector<std::string>{"here.txt"});
}

TEST_F(FileToolsTest, LinkLoopsAreVisitedOnce) {
  Touch("sub/a.jpg");
  fs::create_directory_symlink(dir.path(), dir / "sub/up");
  fs::create_directory_symlink(dir / "sub", dir / "again");
  ASSERT_TRUE(FindFiles(dir.path(), "*.jpg", true, list));
  EXPECT_EQ(list.Count(), 1);
}

TEST_F(FileToolsTest, IsFolderWritableLeavesNothingBehind) {
  Touch("plain");
  EXPECT_TRUE(IsFolderWritable(dir.path()));
  EXPECT_FALSE(IsFolderWritable(dir / "missing"));
  EXPECT_FALSE(IsFolderWritable(dir / "plain"));
  EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST_F(FileToolsTest, IsFolderWritableOnAFolderThatRefusesEntries) {
  fs::create_directory(dir / "locked");
  struct Case {
    const char* name;
    std::function<void(FaultyFileSystem&)> fault;
    bool writable;
  } cases[] = {
      {"ReadOnly",
       [&](FaultyFileSystem& disk) {
         disk.Fail(FileOperation::MakeFolder, dir / "locked/", std::errc::read_only_file_system);
       },
       false},
      {"NoRights",
       [&](FaultyFileSystem& disk) {
         disk.Fail(FileOperation::MakeFolder, dir / "locked/", std::errc::permission_denied);
       },
       false},
      // Room comes back; the folder is the same one.
      {"FullDisk", [](FaultyFileSystem& disk) { disk.FillAfter(0); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FaultyFileSystem disk;
    c.fault(disk);
    EXPECT_EQ(IsFolderWritable(dir / "locked"), c.writable);
    EXPECT_TRUE(fs::is_empty(dir / "locked"));
  }
}

TEST_F(FileToolsTest, DeleteFolderRemovesTheTree) {
  Touch("tree/a/b.txt");
  EXPECT_TRUE(DeleteFolder(dir / "tree"));
  EXPECT_FALSE(fs::exists(dir / "tree"));
  EXPECT_FALSE(DeleteFolder(dir / "tree"));
}

}  // namespace
