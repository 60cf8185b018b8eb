#include "app/gui/tstartform.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QImage>
#include <QWidget>
#include <algorithm>
#include <filesystem>
#include <random>

#include "app/tlomtak.h"
#include "app/tsite.h"
#include "app/tversion.h"
#include "engine/tcourse.h"
#include "engine/tcourses.h"
#include "foundation/tinioptions.h"
#include "resources/windowparts.h"
#include "support/contrast.h"
#include "support/courses.h"
#include "support/guiapplication.h"
#include "support/installation.h"
#include "support/messageboxes.h"
#include "support/millisecondclock.h"
#include "support/person.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/image.h"
#include "toolkit/gui/label.h"
#include "toolkit/gui/listbox.h"
#include "toolkit/gui/progressbar.h"
#include "toolkit/gui/speedbutton.h"
#include "users/tuser.h"
#include "users/tusers.h"

namespace {

class StartFormTest : public testing::Test {
protected:
  // The courses are in place before the application object lists them.
  void Install(std::initializer_list<const char*> names) {
    for (const char* name : names) InstallCourse(name, app.getCoursesDir());
  }
  TUser* anna() {
    TUser* user = app.root().getUsers()->Find("Anna");
    return user ? user : app.root().getUsers()->Add("Anna");
  }
  std::string Stored() { return anna()->getOptions()->ReadString("StartForm", "Language", "-"); }
  static std::vector<std::string> Courses(TStartForm& start) {
    std::vector<std::string> names;
    for (int i = 0; i < start.lbLanguage->Items()->Count(); ++i)
      names.push_back(start.lbLanguage->Items()->Strings(i));
    return names;
  }
  static std::string Selected(TStartForm& start) {
    int index = start.lbLanguage->ItemIndex();
    return index < 0 ? "" : start.lbLanguage->Items()->Strings(index);
  }

  Installation app;
  MessageBoxes boxes;
};

TEST_F(StartFormTest, ShowsTheUserTheVersionTheReleaseAndTheSite) {
  TStartForm start(nullptr, anna());
  EXPECT_EQ(start.lbUser->Caption(), "Anna");
  EXPECT_TRUE(start.lbUser->Visible());
  EXPECT_EQ(start.lbVersion->Caption(), "Version: " + app.root().getVersion()->getFileVersion());
  EXPECT_EQ(start.lbReleaseName->Caption(), app.root().getVersion()->getReleaseName());
  EXPECT_EQ(start.sbSite->Caption(), app.root().getSite()->getHost());
  EXPECT_FALSE(start.lbCopy->Caption().empty());
  EXPECT_FALSE(start.cgBaseLoading->Visible());
}

TEST_F(StartFormTest, ListsTheCourseFilesSortedAndSelectsTheStoredOne) {
  Install({"Russian", "English"});
  InstallCourse("English", app.getCoursesDir(), "deutsch.base");
  struct Case {
    const char* name;
    const char* stored;  // nullptr: no key
    std::string selected, written;
  } cases[] = {
      {"NoKeySelectsEnglish", nullptr, "English", "English"},
      {"LetterCaseIgnored", "RUSSIAN", "Russian", "RUSSIAN"},
      {"GoneSelectsTheFirst", "French", "deutsch", "French"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    anna()->getOptions()->WriteString("StartForm", "Language", c.stored ? c.stored : "");
    TStartForm start(nullptr, anna());
    EXPECT_EQ(Courses(start), (std::vector<std::string>{"deutsch", "English", "Russian"}));
    EXPECT_EQ(Selected(start), c.selected);
    EXPECT_EQ(Stored(), c.written);
  }
}

TEST_F(StartFormTest, TheCourseSelectedIsStoredWhenTheWindowGoesAlsoAfterEsc) {
  Install({"English", "Russian"});
  {
    TOwnedPtr<TStartForm> start(new TStartForm(nullptr, anna()));
    Soon([&] {
      ActiveWindow();
      start->lbLanguage->setItemIndex(1);
      Press(Qt::Key_Escape);
    });
    EXPECT_EQ(start->SelectCourse(), nullptr);
  }
  EXPECT_EQ(Stored(), "Russian");
}

TEST_F(StartFormTest, StartingLoadsTheCourseWithProgressAndCloses) {
  Install({"English", "Russian"});
  TCourse* russian = app.root().getCourses()->getCourse("Russian");
  for (bool doubleClick : {false, true}) {
    SCOPED_TRACE(doubleClick ? "double click" : "Enter");
    TOwnedPtr<TStartForm> start(new TStartForm(nullptr, anna()));
    const int copyTop = start->lbCopy->Top();
    Soon([&] {
      ActiveWindow();
      if (doubleClick) {
        ClickRow(start->lbLanguage, 1, true);
      } else {
        start->lbLanguage->setItemIndex(1);
        Press(Qt::Key_Return);
      }
    });
    EXPECT_EQ(start->SelectCourse(), russian);
    EXPECT_TRUE(russian->isLoaded());
    EXPECT_TRUE(start->cgBaseLoading->Visible());
    // The second pass finds the course loaded by the first: it closes at once.
    EXPECT_EQ(start->cgBaseLoading->Position(), doubleClick ? 0 : 100);
    EXPECT_EQ(start->lbCopy->Top(), copyTop - 8);
    EXPECT_FALSE(start->acStart->Enabled());
  }
}

TEST_F(StartFormTest, TheProgressBarFollowsTheLoad) {
  TStartForm start(nullptr, anna());
  for (auto [percent, position] : {std::pair{0, 0}, {37, 37}, {100, 100}, {150, 100}, {-5, 0}}) {
    SCOPED_TRACE(percent);
    start.CALLBACK_LoadProgress(percent);
    EXPECT_EQ(start.cgBaseLoading->Position(), position);
  }
}

// A termination signal ends the program in the middle of a load: the next report after the
// messages went through stops it, and no error box comes. Messages go through at the first and
// last report and at most every 20 ms between. Ending is for good, so in a process of its own.
TEST_F(StartFormTest, AnEndingProgramStopsTheLoadQuietly) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Install({"English"});
  EXPECT_EXIT(
      {
        MillisecondClock clock;
        TStartForm start(nullptr, anna());
        start.CALLBACK_LoadProgress(0);
        Application->Terminate();
        clock.Now += 19;
        start.CALLBACK_LoadProgress(50);
        bool stopped = false;
        clock.Now += 1;
        try {
          start.CALLBACK_LoadProgress(51);
        } catch (...) {
          stopped = true;
        }
        start.Show();
        start.acStart->Execute();
        const bool loaded = app.root().getCourses()->getCourse("English")->isLoaded();
        std::exit(stopped && !loaded && boxes.Shown.empty() && start.acStart->Enabled() ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST_F(StartFormTest, WithNoCourseNothingIsLoadedOrStoredAndEscStillCloses) {
  TOwnedPtr<TStartForm> start(new TStartForm(nullptr, anna()));
  EXPECT_TRUE(Courses(*start).empty());
  Soon([&] {
    Press(Qt::Key_Return);
    EXPECT_TRUE(start->acStart->Enabled());
    EXPECT_TRUE(start->Enabled());
    Press(Qt::Key_Escape);
  });
  EXPECT_EQ(start->SelectCourse(), nullptr);
  start.reset();
  EXPECT_EQ(Stored(), "-");
}

// A course file added while the program runs is loaded like the others; one whose file has
// gone since the list was made is reported, and the window stays usable.
TEST_F(StartFormTest, ACourseFileAddedWhileRunningLoadsAndAGoneOneIsReported) {
  Install({"English"});
  TCourse* english = app.root().getCourses()->getCourse("English");
  InstallCourse("Russian", app.getCoursesDir());
  {
    TStartForm start(nullptr, anna());
    start.Show();
    start.lbLanguage->setItemIndex(1);
    ASSERT_EQ(Selected(start), "Russian");
    start.acStart->Execute();
    EXPECT_EQ(start.ModalResult(), mrOk);
  }
  TCourse* russian = app.root().getCourses()->getCourse("Russian");
  ASSERT_NE(russian, nullptr);
  EXPECT_TRUE(russian->isLoaded());
  EXPECT_EQ(app.root().getCourses()->getCourse("English"), english) << "kept as it was";

  TempDir::Write(app.getCoursesDir() + "/Tatar.Base", "");
  TStartForm start(nullptr, anna());
  start.Show();
  std::filesystem::remove(app.getCoursesDir() + "/Tatar.Base");
  start.lbLanguage->setItemIndex(2);
  ASSERT_EQ(Selected(start), "Tatar");
  start.acStart->Execute();
  EXPECT_EQ(start.ModalResult(), mrNone);
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, start.getMessage("Error.CourseNotFound"));
  EXPECT_TRUE(start.acStart->Enabled());
  EXPECT_TRUE(start.Enabled());
  EXPECT_FALSE(start.cgBaseLoading->Visible());
}

// A course that cannot be loaded is refused where it is chosen, with the reason: the window
// stays usable and opens no training screen. A folder or a FIFO named like a course is no
// course, and courses added later still load beside it.
TEST_F(StartFormTest, ACourseThatCannotBeLoadedIsRefusedAndTheWindowStays) {
  const std::string dir = app.getCoursesDir();
  const std::string english = TempDir::Read(ShippedCourseFile("English.Base"));
  std::string noise(5000, '\0');
  std::mt19937 random(5000);
  for (char& byte : noise) byte = static_cast<char>(random());
  TempDir::Write(dir + "/Empty.Base", "");
  TempDir::Write(dir + "/Noise.Base", noise);
  TempDir::Write(dir + "/Cut.Base", english.substr(0, 1000));
  TempDir::Write(dir + "/Vanished.Base", english);
  std::filesystem::create_directory(dir + "/Dir.Base");
  ASSERT_EQ(mkfifo((dir + "/Pipe.Base").c_str(), 0600), 0);
  TCourses* courses = app.root().getCourses();
  TempDir::Write(dir + "/Late.Base", english);  // after the catalogue was made

  TStartForm start(nullptr, anna());
  start.Show();
  std::filesystem::remove(dir + "/Vanished.Base");
  EXPECT_EQ(Courses(start),
            (std::vector<std::string>{"Cut", "Empty", "Late", "Noise", "Vanished"}));
  for (const char* name : {"Empty", "Noise", "Cut", "Vanished"}) {
    SCOPED_TRACE(name);
    boxes.Shown.clear();
    start.lbLanguage->setItemIndex(start.lbLanguage->Items()->IndexOf(name));
    const int copyTop = start.lbCopy->Top();
    start.acStart->Execute();
    EXPECT_EQ(start.ModalResult(), mrNone);
    ASSERT_EQ(boxes.Shown.size(), 1u);
    const std::string refused = start.getMessage("Error.CourseNotLoaded");
    EXPECT_EQ(boxes.Shown[0].Text.substr(0, refused.size()), refused);
    EXPECT_NE(boxes.Shown[0].Text.find(courses->getCourse(name)->getErrorText()),
              std::string::npos);
    EXPECT_FALSE(courses->getCourse(name)->isLoaded());
    EXPECT_TRUE(start.acStart->Enabled());
    EXPECT_TRUE(start.Enabled());
    EXPECT_FALSE(start.cgBaseLoading->Visible());
    EXPECT_EQ(start.lbCopy->Top(), copyTop);
  }
  boxes.Shown.clear();
  start.lbLanguage->setItemIndex(start.lbLanguage->Items()->IndexOf("Late"));
  start.acStart->Execute();
  EXPECT_TRUE(boxes.Shown.empty());
  EXPECT_EQ(start.ModalResult(), mrOk);
  ASSERT_NE(courses->getCourse("Late"), nullptr);
  EXPECT_TRUE(courses->getCourse("Late")->isLoaded());
}

// The start window as drawn with each of its pictures: the white notice line stands on a band
// dark enough to read it (WCAG's 4.5 to 1, beside the text, under its line, also where the
// loading moves it up), and nothing of the picture but its sky lies around the program's name:
// away from the white letters and their shadow, the sky changes smoothly.
TEST_F(StartFormTest, ThePicturesKeepTheNoticeReadableAndTheNameClear) {
  for (const char* picture :
       {"START_SPLASH", "VISUAL_NEWYEAR", "VISUAL_HALLOWEEN", "VISUAL_VALENTINE"}) {
    SCOPED_TRACE(picture);
    TStartForm start(nullptr, anna());
    ShowPhoto(start.imSplash, picture);
    start.Show();
    const QImage drawn = start.Handle()->grab().toImage();
    double lightest = 0;
    for (int y = start.lbCopy->Top() - 8; y < start.lbCopy->Top() + 13; ++y)
      for (int x = 440; x < 795; ++x) lightest = std::max(lightest, Luminance(drawn.pixel(x, y)));
    EXPECT_GE(ContrastWithWhite(lightest), 4.5);

    const QRect name(37, 67, 250, 85);
    auto letter = [&](int x, int y) {
      const QRgb pixel = drawn.pixel(x, y);
      return std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)}) >= 235;
    };
    auto nearLetter = [&](int x, int y) {
      for (int dy = -6; dy <= 6; ++dy)
        for (int dx = -6; dx <= 6; ++dx)
          if (letter(x + dx, y + dy)) return true;
      return false;
    };
    int steepest = 0;
    for (int y = name.top(); y <= name.bottom(); ++y)
      for (int x = name.left(); x < name.right(); ++x) {
        if (nearLetter(x, y) || nearLetter(x + 1, y)) continue;
        const QRgb a = drawn.pixel(x, y), b = drawn.pixel(x + 1, y);
        steepest = std::max({steepest, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                             std::abs(qBlue(a) - qBlue(b))});
      }
    // JPEG noise stays well below this step; the edge of a motif is several times as steep.
    EXPECT_LE(steepest, 24) << "something stands beside the name";
  }
}

TEST_F(StartFormTest, SeasonalPicturesFollowTheDate) {
  struct Case {
    int month, day, hour, minute;
    std::string picture;
  } cases[] = {
      {12, 24, 23, 59, ""},
      {12, 25, 0, 0, "VISUAL_NEWYEAR"},
      {12, 31, 12, 0, "VISUAL_NEWYEAR"},
      {1, 1, 23, 59, "VISUAL_NEWYEAR"},
      {1, 2, 0, 0, ""},
      {10, 30, 23, 59, ""},
      {10, 31, 0, 0, "VISUAL_HALLOWEEN"},
      {11, 1, 6, 59, "VISUAL_HALLOWEEN"},
      {11, 1, 7, 0, ""},
      {2, 14, 12, 0, "VISUAL_VALENTINE"},
      {2, 15, 0, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.month) + "-" + std::to_string(c.day) + " " +
                 std::to_string(c.hour) + ":" + std::to_string(c.minute));
    TDateTime moment = EncodeDateTime({2026, c.month, c.day, c.hour, c.minute, 0, 0});
    EXPECT_EQ(TStartForm::SeasonalPicture(moment), c.picture);
  }
}

}  // namespace
