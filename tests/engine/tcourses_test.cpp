#include "engine/tcourses.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <random>
#include <vector>

#include "engine/tcourse.h"
#include "engine/tltbaseformat.h"
#include "engine/tltgenerator.h"
#include "support/courses.h"
#include "support/coursesroot.h"
#include "support/faultyfilesystem.h"
#include "support/testfiles.h"
#include "toolkit/codepage.h"
#include "toolkit/exception.h"

namespace {

namespace fs = std::filesystem;

class TCoursesTest : public ::testing::Test {
protected:
  TCourses& courses() { return *app.root().getCourses(); }

  CoursesInstallation app;
};

TEST_F(TCoursesTest, AnEmptyOrMissingFolderGivesNoCourse) {
  EXPECT_EQ(courses().getCourse(""), nullptr);
  EXPECT_EQ(courses().getDirectory(), app.getCoursesDir());
  fs::remove_all(app.getCoursesDir());
  app.Rebuild();
  EXPECT_EQ(courses().getCourse("English"), nullptr);
}

TEST_F(TCoursesTest, CourseFilesAreListedByNameWithoutTheirExtension) {
  const std::string dir = app.getCoursesDir();
  InstallCourse("English", dir);
  InstallCourse("English", dir, "Two.dots.Base");
  InstallCourse("English", dir, "Lower.base");
  TempDir::Write(dir + "/English.Layout", "<keyboard/>");
  TempDir::Write(dir + "/Notes.txt", "");
  fs::create_directory(dir + "/Folder");
  struct Case {
    const char* name;
    std::string course, file;
  } cases[] = {
      {"Plain", "English", "English.Base"},
      {"SeveralDots", "Two.dots", "Two.dots.Base"},
      {"ExtensionInOtherLetterCase", "Lower", "Lower.base"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TCourse* course = courses().getCourse(c.course);
    ASSERT_NE(course, nullptr);
    EXPECT_EQ(course->getName(), c.course);
    EXPECT_EQ(course->getFileName(), dir + "/" + c.file);
    EXPECT_EQ(course->getCourses(), &courses());
    EXPECT_EQ(course->getRoot(), &app.root());
    EXPECT_FALSE(course->isLoaded());
    EXPECT_EQ(course->getGenerator(), nullptr);
  }
  for (const char* name : {"english", "English.Base", "English.Layout", "Notes", "Folder"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(courses().getCourse(name), nullptr);
  }
}

// A folder, a FIFO or a link to nothing named like a course file is passed over, at the start
// and when courses added later are listed.
TEST_F(TCoursesTest, EntriesThatAreNoFilesAreNoCourses) {
  const std::string dir = app.getCoursesDir();
  InstallCourse("English", dir);
  fs::create_directory(dir + "/Dir.Base");
  ASSERT_EQ(mkfifo((dir + "/Pipe.Base").c_str(), 0600), 0);
  fs::create_symlink(dir + "/nothing", dir + "/Gone.Base");
  EXPECT_NE(courses().getCourse("English"), nullptr);
  InstallCourse("Russian", dir);
  courses().AddNew();
  EXPECT_NE(courses().getCourse("Russian"), nullptr);
  for (const char* name : {"Dir", "Pipe", "Gone"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(courses().getCourse(name), nullptr);
  }
}

TEST_F(TCoursesTest, ACourseTheFileSystemCannotShowOrListIsNone) {
  InstallCourse("English", app.getCoursesDir());
  InstallCourse("Russian", app.getCoursesDir());
  {
    FaultyFileSystem disk;
    disk.Fail(FileOperation::Status, "Russian.Base");
    app.Rebuild();
    EXPECT_NE(courses().getCourse("English"), nullptr);
    EXPECT_EQ(courses().getCourse("Russian"), nullptr);
    disk.Fail(FileOperation::List, app.getCoursesDir());
    app.Rebuild();
    EXPECT_EQ(courses().getCourse("English"), nullptr);
  }
}

TEST_F(TCoursesTest, ACourseLoadsOnceWithProgress) {
  InstallCourse("English", app.getCoursesDir());
  TCourse* course = courses().getCourse("English");
  std::vector<int32_t> progress;
  EXPECT_TRUE(course->Load([&progress](int32_t percent) { progress.push_back(percent); }));
  EXPECT_TRUE(course->isLoaded());
  ASSERT_NE(course->getGenerator(), nullptr);
  EXPECT_EQ(course->getCharset(), course->getBase()->getAlphabet().getCharset());
  EXPECT_EQ(course->getGenerator()->getOrder(), course->getBase()->getOrder());
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), 100);

  TLTGenerator* generator = course->getGenerator();
  bool raised = false;
  EXPECT_TRUE(course->Load([&raised](int32_t) { raised = true; }));
  EXPECT_FALSE(raised);
  EXPECT_EQ(course->getGenerator(), generator);
}

// The start window's progress handler: it repaints the window, which may raise, and is gone
// once that window is.
TEST_F(TCoursesTest, ALoadThatRaisesLeavesTheCourseUnloadedAndKeepsNoHandler) {
  InstallCourse("English", app.getCoursesDir());
  TCourse* course = courses().getCourse("English");
  EXPECT_THROW(course->Load([](int32_t) { throw Exception("repaint failed"); }), Exception);
  EXPECT_FALSE(course->isLoaded());
  EXPECT_EQ(course->getGenerator(), nullptr);

  int reports = 0;
  EXPECT_TRUE(course->Load([&reports](int32_t) { ++reports; }));
  EXPECT_TRUE(course->isLoaded());
  ASSERT_NE(course->getGenerator(), nullptr);
  const int during = reports;
  EXPECT_GT(during, 0);
  EXPECT_TRUE(course->getBase()->LoadFromFile(course->getFileName()));
  EXPECT_EQ(reports, during);
}

TEST_F(TCoursesTest, ACoursesCharacterSetShowsItsOwnLetters) {
  const struct {
    const char* name;
    std::string file, letters;
  } cases[] = {
      {"English", ShippedCourseFile("English.Base"), "abcdefghijklmnopqrstuvwxyz"},
      {"Russian", ShippedCourseFile("Russian.Base"), "абвгдеёжзийклмнопрстуфхцчшщъыьэюя"},
      {"German", TestCourseFile("German.Base"), "abcdefghijklmnopqrstuvwxyzäöüß"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::copy_file(c.file, app.getCoursesDir() + "/" + c.name + ".Base");
    app.Rebuild();
    TCourse* course = courses().getCourse(c.name);
    ASSERT_NE(course, nullptr);
    ASSERT_TRUE(course->Load(nullptr));
    const TAlphabet& alphabet = course->getBase()->getAlphabet();
    // As the training views show them: through the code page of the course's character set.
    EXPECT_EQ(ToUtf8(FromShortString(alphabet.Letters), CodePageOfCharset(course->getCharset())),
              c.letters);
  }
}

// A file that cannot be read as a base, or a base no line comes from, is refused with the
// reason, and the course stays unloaded: no training screen can open on it. Once the file is
// sound, the course loads.
TEST_F(TCoursesTest, ACourseThatCannotBeLoadedIsRefusedWithTheReason) {
  const std::string dir = app.getCoursesDir();
  const std::string english = TempDir::Read(ShippedCourseFile("English.Base"));
  std::mt19937 random(27);
  std::string noise(5000, '\0');
  for (char& byte : noise) byte = static_cast<char>(random());
  TTestHeader header;
  header.Order = 1;
  struct Case {
    const char* name;
    std::string content;
    std::function<void(const std::string& file)> spoil;
    std::string error;  // how the reason begins
  } cases[] = {
      {"Empty", "", nullptr, "Read error - the file is shorter than a base header"},
      {"RandomBytes", noise, nullptr, "The base gives no exercise line - 2F86C1D7/F"},
      {"FirstKilobyteOfACourse", english.substr(0, 1000), nullptr,
       "Read error - the file is shorter than a base header"},
      {"OnlyBlanks", BaseBytes(header, SequenceRecords({{" ", 4}})), nullptr,
       "The base gives no exercise line - 2F86C1D7/F"},
      {"DeletedAfterTheListing", english, [](const std::string& file) { fs::remove(file); },
       "Open error - No such file or directory"},
      {"ReplacedByAFolder", english,
       [](const std::string& file) {
         fs::remove(file);
         fs::create_directory(file);
       },
       "Open error - Is a directory"},
      {"LargerThanABaseMayBe", english,
       [](const std::string& file) { fs::resize_file(file, kLargestBaseFile + 1); },
       "Read error - the file is larger than a base may be (64 MB)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = dir + "/" + c.name + ".Base";
    TempDir::Write(file, c.content);
    app.Rebuild();
    TCourse* course = courses().getCourse(c.name);
    ASSERT_NE(course, nullptr);
    if (c.spoil) c.spoil(file);
    EXPECT_FALSE(course->Load(nullptr));
    EXPECT_EQ(course->getErrorText().substr(0, c.error.size()), c.error) << course->getErrorText();
    EXPECT_FALSE(course->isLoaded());
    EXPECT_EQ(course->getGenerator(), nullptr);

    fs::remove_all(file);
    TempDir::Write(file, english);
    EXPECT_TRUE(course->Load(nullptr));
    EXPECT_TRUE(course->isLoaded());
    EXPECT_NE(course->getGenerator(), nullptr);
  }
}

// What the file system fails reaches the caller as the reader's error.
TEST_F(TCoursesTest, AFileSystemThatFailsTheCoursesFileRefusesTheCourse) {
  InstallCourse("English", app.getCoursesDir());
  const struct {
    FileOperation operation;
    std::string error;
  } cases[] = {
      {FileOperation::Read, "Open error - Input/output error"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    app.Rebuild();
    TCourse* course = courses().getCourse("English");
    FaultyFileSystem disk;
    disk.Fail(c.operation, "English.Base");
    EXPECT_FALSE(course->Load(nullptr));
    EXPECT_EQ(course->getErrorText(), c.error);
    EXPECT_FALSE(course->isLoaded());
  }
}

}  // namespace
