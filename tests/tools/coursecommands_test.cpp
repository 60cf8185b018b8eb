#include "tools/course/coursecommands.h"

#include <sstream>

#include "support/courses.h"
#include "support/testfiles.h"
#include "toolkit/codepage.h"

namespace {

class TCourseToolTest : public TTempFolderTest {
protected:
  int Run(const std::vector<std::string>& args) {
    Out.str("");
    Err.str("");
    return RunCourseTool(args, Out, Err);
  }
  std::string BuildSample(const std::string& name, int codePage, const std::string& letters) {
    const std::string text =
        std::string(LOMTAK_TEST_DATA_DIR) + "/course_build/" + name + "/text.txt";
    const std::string base = PathOf(name + ".Base");
    EXPECT_EQ(
        Run({"build", "--text", text, text, "--codepage", std::to_string(codePage), "--alphabet",
             letters, "--order", "3", "--out", base, "--info", PathOf(name + ".Info")}),
        0)
        << Err.str();
    return base;
  }

  std::ostringstream Out, Err;
};

TEST_F(TCourseToolTest, BuildWritesTheBaseAndTheInformationFile) {
  BuildSample("English", 1252, "abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(Out.str(), "AverageWordLength 3.69\n");
  EXPECT_EQ(TempDir::Read(PathOf("English.Info")), "[GENERAL]\r\nAverageWordLength='3.69'\r\n");
}

TEST_F(TCourseToolTest, DumpShowsTheHeaderAndTheLevels) {
  std::string base = BuildSample("Russian", 1251, "абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
  ASSERT_EQ(Run({"dump", base}), 0) << Err.str();
  const std::string dump = Out.str();
  for (const char* line : {"Language: Russian\n", "Charset: 204\n",
                           "Letters (33): абвгдеёжзийклмнопрстуфхцчшщъыьэюя\n", " ё=Ёё ",
                           "Order: 3\n", "Level 1: 34 nodes\n", "Nodes: 145\n"})
    EXPECT_NE(dump.find(line), std::string::npos) << line << "\n" << dump;
}

TEST_F(TCourseToolTest, GenerateRepeatsItselfForOneSeed) {
  std::string base = BuildSample("Russian", 1251, "абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
  const std::vector<std::string> args = {"generate", base,      "--order", "3",      "--length",
                                         "20",       "--lines", "4",       "--seed", "42"};
  ASSERT_EQ(Run(args), 0) << Err.str();
  const std::string first = Out.str();
  ASSERT_EQ(Run(args), 0);
  EXPECT_EQ(Out.str(), first);
  std::istringstream lines(first);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    // Twenty letters of two bytes or blanks of one in UTF-8.
    size_t letters = 0;
    for (unsigned char byte : line) letters += (byte & 0xC0) != 0x80;
    EXPECT_EQ(letters, 20u) << line;
  }
  EXPECT_EQ(count, 4);
}

TEST_F(TCourseToolTest, LettersOfAWestEuropeanCodePageShowAsThemselves) {
  TempDir::Write(PathOf("French.txt"), "café été née");
  ASSERT_EQ(Run({"build", "--text", PathOf("French.txt"), "--codepage", "1252", "--alphabet",
                 "abcdeéfghijklmnopqrstuvwxyz", "--order", "2", "--out", PathOf("French.Base")}),
            0)
      << Err.str();
  ASSERT_EQ(Run({"dump", PathOf("French.Base")}), 0) << Err.str();
  EXPECT_NE(Out.str().find("Letters (27): abcdeéfghijklmnopqrstuvwxyz\n"), std::string::npos)
      << Out.str();
  EXPECT_NE(Out.str().find(" é=Éé "), std::string::npos) << Out.str();
  ASSERT_EQ(Run({"generate", PathOf("French.Base"), "--lines", "3", "--seed", "5"}), 0);
  EXPECT_NE(Out.str().find("é"), std::string::npos) << Out.str();
}

TEST_F(TCourseToolTest, AWesternCourseCarriesTheCharacterSetOfItsCodePage) {
  // The tests' German course is this build of its text; the English alphabet, all below 128,
  // keeps the ANSI set of the shipped course.
  const std::string text = TestCourseFile("German.txt");
  ASSERT_EQ(Run({"build", "--text", text, "--codepage", "1252", "--alphabet",
                 "abcdefghijklmnopqrstuvwxyzäöüß", "--order", "3", "--out", PathOf("German.Base")}),
            0)
      << Err.str();
  EXPECT_TRUE(TempDir::Read(PathOf("German.Base")) == TempDir::Read(TestCourseFile("German.Base")));
  ASSERT_EQ(Run({"dump", PathOf("German.Base")}), 0) << Err.str();
  EXPECT_NE(Out.str().find("Charset: " + std::to_string(kWesternCharset) + "\n"), std::string::npos)
      << Out.str();
  EXPECT_EQ(CodePageOfCharset(kWesternCharset), 1252);
  BuildSample("English", 1252, "abcdefghijklmnopqrstuvwxyz");
  ASSERT_EQ(Run({"dump", PathOf("English.Base")}), 0) << Err.str();
  EXPECT_NE(Out.str().find("Charset: 0\n"), std::string::npos) << Out.str();
}

TEST_F(TCourseToolTest, ErrorsAndUsage) {
  const std::string base = BuildSample("English", 1252, "abcdefghijklmnopqrstuvwxyz");
  struct {
    const char* name;
    std::vector<std::string> args;
    int code;
    std::string err;
  } cases[] = {
      {"no command", {}, 2, "usage:"},
      {"unknown command", {"frobnicate"}, 2, "usage:"},
      {"missing base",
       {"dump", "/nonexistent.Base"},
       1,
       "lomtak-course: Open error - No such file or directory\n"},
      {"no text",
       {"build", "--codepage", "1252"},
       1,
       "lomtak-course: --text needs at least one file\n"},
      {"bad number",
       {"generate", base, "--seed", "abc"},
       1,
       "lomtak-course: 'abc' is not a valid integer value\n"},
      {"option without its value",
       {"generate", base, "--lines"},
       1,
       "lomtak-course: --lines needs one value\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Run(c.args), c.code);
    EXPECT_EQ(Err.str().rfind(c.err, 0), 0u) << Err.str();
  }
}

}  // namespace
