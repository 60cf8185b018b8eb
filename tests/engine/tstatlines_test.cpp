#include "engine/tstatlines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/tempdir.h"
#include "support/watchedfifo.h"
#include "toolkit/exception.h"

namespace {

std::vector<std::string> LinesOf(const std::string& path) {
  TStatLines file(path);
  std::vector<std::string> lines;
  std::string_view line;
  while (file.Next(line)) {
    lines.emplace_back(line);
    EXPECT_EQ(file.Number(), static_cast<int64_t>(lines.size()));
  }
  return lines;
}

// Cut as the string list cuts a text, also where a line or its CR LF spans two parts.
TEST(StatLines, AreCutAtCrLfLfOrALoneCrAcrossTheParts) {
  const std::string filler(TStatLines::kPart - 3, 'x');
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"Empty", "", {}},
      {"NoLineEndAtTheEnd", "*\r\na", {"*", "a"}},
      {"EveryKind", "a\r\nb\nc\rd\r\r\ne", {"a", "b", "c", "d", "", "e"}},
      {"CrLfSplitByAPart", filler + "ab\r\ncd\r\n", {filler + "ab", "cd"}},
      {"LoneCrLastInAPart", filler + "ab\rcd", {filler + "ab", "cd"}},
      {"LineAcrossAPart", filler + "\r\nabcdef\r\n", {filler, "abcdef"}},
      {"CrLastInTheFile", filler + "ab\r", {filler + "ab"}},
  };
  TempDir folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir::Write(folder / "run.stat", c.text);
    EXPECT_EQ(LinesOf(folder / "run.stat"), c.lines);
  }
}

TEST(StatLines, RefuseALineLongerThanTheBoundAndWhatIsNoFile) {
  TempDir folder;
  TempDir::Write(folder / "long.stat",
                 "*\r\n" + std::string(TStatLines::kLongestLine + 1, '1') + "\ta\ta\t\r\n");
  std::filesystem::create_directory(folder / "folder.stat");
  std::filesystem::create_symlink(folder / "none", folder / "dangling.stat");
  WatchedFifo fifo(folder / "fifo.stat");
  ASSERT_TRUE(fifo.ok());
  struct Case {
    const char* name;
    std::string file;
    std::string error;
  } cases[] = {
      {"LongLine", "long.stat", "Line 2 is longer than 1048576 bytes"},
      {"Folder", "folder.stat", "Is a directory"},
      {"DanglingLink", "dangling.stat", "No such file or directory"},
      {"Fifo", "fifo.stat", "Not a regular file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      LinesOf(folder / c.file);
      ADD_FAILURE() << "read";
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message, "Cannot open file \"" + folder / c.file + "\". " + c.error);
    }
  }
  EXPECT_FALSE(fifo.Opened());
}

}  // namespace
