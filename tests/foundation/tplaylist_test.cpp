#include "foundation/tplaylist.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;

class PlayListTest : public ::testing::Test {
protected:
  // A play list over n files "0.jpg", "1.jpg", ... in that order.
  void Fill(int n) {
    for (int i = 0; i < n; ++i) {
      std::string file = dir / (std::to_string(i) + ".jpg");
      TempDir::Write(file, "x");
      ASSERT_TRUE(list.Select(file));
    }
  }
  std::string File(int i) const { return dir / (std::to_string(i) + ".jpg"); }

  TempDir dir;
  TPlayList list;
};

TEST_F(PlayListTest, LoadFolderFillsFromSubfoldersAndStartsAtTheFirst) {
  fs::create_directory(dir / "sub");
  TempDir::Write(dir / "sub/a.jpg", "x");
  TempDir::Write(dir / "b.JPG", "x");
  TempDir::Write(dir / "c.txt", "x");
  ASSERT_TRUE(list.LoadFolder(dir.path(), "*.jpg"));
  EXPECT_EQ(std::vector<std::string>(list.getFiles().begin(), list.getFiles().end()),
            (std::vector<std::string>{dir / "sub/a.jpg", dir / "b.JPG"}));
  list.Next();
  EXPECT_EQ(list.getCurrent(), 1);
  ASSERT_TRUE(list.LoadFolder(dir.path(), "*.jpg"));
  EXPECT_EQ(list.getCurrent(), 0);
}

TEST_F(PlayListTest, MissingFolderLeavesAnEmptyListThatSelectRefills) {
  Fill(3);
  list.Next();
  list.Next();
  EXPECT_FALSE(list.LoadFolder(dir / "missing", "*.jpg"));
  EXPECT_EQ(list.getFiles().Count(), 0);
  EXPECT_EQ(list.CurrentFile(), "");
  EXPECT_EQ(list.Next(), "");
  EXPECT_EQ(list.Random(), "");
  ASSERT_TRUE(list.Select(File(1)));
  EXPECT_EQ(list.getCurrent(), 0);
  EXPECT_EQ(list.CurrentFile(), File(1));
}

TEST_F(PlayListTest, SelectIgnoresLetterCaseAndRefusesMissingFiles) {
  Fill(2);
  // Another file on this file system, but the same entry by the list's lookup.
  std::string upper = dir.path() + "/0.JPG";
  TempDir::Write(upper, "x");
  EXPECT_TRUE(list.Select(upper));
  EXPECT_EQ(list.getFiles().Count(), 2);
  EXPECT_EQ(list.getCurrent(), 0);
  EXPECT_FALSE(list.Select(dir / "missing.jpg"));
  EXPECT_FALSE(list.Select(dir.path()));
  EXPECT_EQ(list.getFiles().Count(), 2);
  EXPECT_EQ(list.getCurrent(), 0);
}

TEST_F(PlayListTest, SelectPrefersTheEntryOfTheVeryFile) {
  // Two themes whose names differ only in letter case: the folder lists both.
  TempDir::Write(dir / "a.ini", "x");
  TempDir::Write(dir / "A.ini", "x");
  ASSERT_TRUE(list.LoadFolder(dir.path(), "*.ini"));
  ASSERT_EQ(list.getFiles().Count(), 2);
  for (const char* name : {"a.ini", "A.ini", "a.ini"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(list.Select(dir / name));
    EXPECT_EQ(list.CurrentFile(), dir / name);
  }
}

TEST_F(PlayListTest, NextWrapsAround) {
  Fill(3);
  EXPECT_EQ(list.getCurrent(), 2);
  EXPECT_EQ(list.Next(), File(0));
  EXPECT_EQ(list.Next(), File(1));
}

TEST_F(PlayListTest, CurrentFileDropsVanishedFiles) {
  Fill(4);
  list.Select(File(2));
  fs::remove(File(2));
  fs::remove(File(3));
  // Entry 2 goes, then entry 3 stands at index 2 and goes too; index 2 modulo 2 is 0.
  EXPECT_EQ(list.CurrentFile(), File(0));
  EXPECT_EQ(list.getFiles().Count(), 2);
  for (int i = 0; i < 2; ++i) fs::remove(File(i));
  EXPECT_EQ(list.CurrentFile(), "");
  EXPECT_EQ(list.getFiles().Count(), 0);
}

TEST_F(PlayListTest, RandomNeverRepeatsTheCurrentEntry) {
  Fill(1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(list.Random(), File(0));

  Fill(2);
  std::string previous = list.CurrentFile();
  for (int i = 0; i < 6; ++i) {
    std::string pick = list.Random();
    EXPECT_NE(pick, previous);
    previous = pick;
  }

  // Every pick reseeds from the clock in whole seconds, so only the rule can be tested here:
  // never the current entry, whichever entry is current.
  Fill(5);
  for (int current = 0; current < 5; ++current) {
    SCOPED_TRACE(current);
    list.Select(File(current));
    std::string pick = list.Random();
    EXPECT_NE(list.getCurrent(), current);
    EXPECT_EQ(pick, list.getFiles().Strings(list.getCurrent()));
  }
}

}  // namespace
