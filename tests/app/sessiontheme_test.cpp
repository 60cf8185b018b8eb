#include "app/sessiontheme.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;

TEST(SessionTheme, TheProfileNamesAThemeOfTheFolderByItsNameThere) {
  const struct {
    const char* name;
    std::string file, stored;
  } cases[] = {
      {"InTheFolder", "/p/Themes/Night.ini", "Night.ini"},
      {"InASubfolder", "/p/Themes/Dark/Night.ini", "Dark/Night.ini"},
      {"OutsideTheFolder", "/home/x/notes.ini", "/home/x/notes.ini"},
      {"OutOfTheFolderByDots", "/p/Themes/../Lomtak.ini", "/p/Themes/../Lomtak.ini"},
      {"DotsThatStayInside", "/p/Themes/Dark/../Night.ini", "/p/Themes/Dark/../Night.ini"},
      {"BesideTheFolder", "/p/ThemesOld/Night.ini", "/p/ThemesOld/Night.ini"},
      {"None", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ThemeNameOfFile("/p/Themes", c.file), c.stored);
    EXPECT_EQ(ThemeFileOfName("/p/Themes", c.stored), c.file);
  }
  EXPECT_EQ(ThemeFileOfName("/q/Themes", "Dark/Night.ini"), "/q/Themes/Dark/Night.ini")
      << "a moved installation keeps its theme";
  EXPECT_EQ(ThemeFileOfName("/p/Themes", "../../etc/passwd"), "/p/Themes/../../etc/passwd");
}

TEST(SessionTheme, OnlyARegularFileOfTheFolderItselfIsOurs) {
  TempDir dir;
  const std::string themes = dir / "Themes";
  fs::create_directories(themes + "/Dark");
  TempDir::Write(themes + "/Night.ini", "x");
  TempDir::Write(themes + "/Dark/Night.ini", "x");
  TempDir::Write(dir / "notes.ini", "x");
  fs::create_symlink(dir / "notes.ini", themes + "/Out.ini");
  fs::create_symlink(themes + "/Night.ini", themes + "/In.ini");
  fs::create_symlink(dir.path(), themes + "/Linked");
  fs::create_symlink(dir / "gone.ini", themes + "/Dangling.ini");
  fs::create_directory(themes + "/Folder.ini");
  const struct {
    const char* name;
    std::string file;
    bool ours;
  } cases[] = {
      {"RegularFile", themes + "/Night.ini", true},
      {"InASubfolder", themes + "/Dark/Night.ini", true},
      // After a link ".." leads elsewhere than the text says.
      {"WithDots", themes + "/Dark/../Night.ini", false},
      {"WithADot", themes + "/./Night.ini", false},
      {"LinkOut", themes + "/Out.ini", false},
      {"LinkWithin", themes + "/In.ini", false},
      {"InALinkedFolder", themes + "/Linked/notes.ini", false},
      {"DanglingLink", themes + "/Dangling.ini", false},
      {"Folder", themes + "/Folder.ini", false},
      {"Missing", themes + "/Missing.ini", false},
      {"OutsideTheFolder", dir / "notes.ini", false},
      {"OutByDots", themes + "/../notes.ini", false},
      {"TheFolderItself", themes, false},
      {"None", "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsThemeOfFolder(themes, c.file), c.ours);
  }
  EXPECT_TRUE(IsThemeOfFolder(themes + "/", themes + "/Night.ini"));
  EXPECT_EQ(ThemeNameOfFile(themes + "/", themes + "/Night.ini"), "Night.ini");
}

}  // namespace
