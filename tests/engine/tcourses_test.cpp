#include "engine/tcourses.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "engine/tcourse.h"
#include "engine/tltbaseformat.h"
#include "engine/tltgenerator.h"
#include "support/courses.h"
#include "support/coursesroot.h"
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

TEST_F(TCoursesTest, AFolderNamedLikeACourseStopsTheStart) {
  InstallCourse("English", app.getCoursesDir());
  fs::create_directory(app.getCoursesDir() + "/Broken.Base");
  try {
    app.root();
    FAIL() << "built";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, FromUtf8("704DB5B4/H Файл с курсом не найден"));
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

TEST_F(TCoursesTest, ACourseWhoseFileTheLoaderRejectsStillCountsLoaded) {
  TempDir::Write(app.getCoursesDir() + "/Short.Base", "too short for a header");
  TCourse* course = courses().getCourse("Short");
  ASSERT_NE(course, nullptr);
  EXPECT_TRUE(course->Load(nullptr));
  EXPECT_TRUE(course->isLoaded());
  EXPECT_NE(course->getGenerator(), nullptr);
}

}  // namespace
