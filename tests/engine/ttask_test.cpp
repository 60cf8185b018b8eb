#include "engine/ttask.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/tcourse.h"
#include "engine/tcourses.h"
#include "engine/tltgenerator.h"
#include "engine/ttaskstatistic.h"
#include "support/courses.h"
#include "support/coursesroot.h"
#include "support/millisecondclock.h"
#include "support/testfiles.h"
#include "toolkit/exception.h"

namespace {

// A task in the loaded English course, recording its events in order.
class TTaskTest : public ::testing::Test {
protected:
  void SetUp() override {
    InstallCourse("English", app.getCoursesDir());
    course = app.root().getCourses()->getCourse("English");
    course->Load(nullptr);
    task = std::make_unique<TTask>(course, app.getUsersDir() + "/Anna/English/Statistic");
    task->OnChange = [this] { events.push_back("Change"); };
    task->OnError = [this] { events.push_back("Error"); };
    task->OnCorrect = [this] { events.push_back("Correct"); };
    task->OnRestart = [this] { events.push_back("Restart"); };
    task->OnComplete = [this] { events.push_back("Complete"); };
  }
  void Begin(const std::string& text) {
    task->Text = text;
    task->Restart();
    events.clear();
  }
  double Weight(char letter) const { return course->getGenerator()->getWeight(letter); }
  TTaskStatistic& statistic() const { return *task->getStatistic(); }

  MillisecondClock clock{1000};
  CoursesInstallation app;
  TCourse* course = nullptr;
  std::unique_ptr<TTask> task;
  std::vector<std::string> events;
};

TEST_F(TTaskTest, StartsEmptyWithTheStatisticsFolderItWasGiven) {
  EXPECT_EQ(task->Text, "");
  EXPECT_EQ(task->Position, 0);
  EXPECT_EQ(task->Length, 30);
  EXPECT_EQ(statistic().getFolder(), app.getUsersDir() + "/Anna/English/Statistic");
}

TEST_F(TTaskTest, WrongKeysWaitForTheRightOneAndAdaptTheWeights) {
  Begin("abc");
  struct Step {
    char key;
    int position;
    std::string errorText;
    std::vector<std::string> events;
  } steps[] = {
      {'a', 1, "", {"Correct", "Change"}},
      {'x', 1, "x", {"Error", "Change"}},
      {'y', 1, "y", {"Error", "Change"}},
      {'b', 2, "", {"Correct", "Change"}},
      {'c', 3, "", {"Correct", "Change", "Complete"}},
  };
  int32_t time = 1000;
  for (const Step& s : steps) {
    SCOPED_TRACE(std::string(1, s.key));
    events.clear();
    task->KeyPressed(time += 200, s.key);
    EXPECT_EQ(task->Position, s.position);
    EXPECT_EQ(task->ErrorText, s.errorText);
    EXPECT_EQ(events, s.events);
  }
  // b and x were penalized once, at x; y changed nothing; every right key rewarded its letter.
  EXPECT_DOUBLE_EQ(Weight('a'), 1.0);
  EXPECT_DOUBLE_EQ(Weight('b'), 16.2);
  EXPECT_DOUBLE_EQ(Weight('x'), 20.0);
  EXPECT_DOUBLE_EQ(Weight('y'), 1.0);
  EXPECT_DOUBLE_EQ(Weight('c'), 1.0);
  EXPECT_EQ(statistic().getKeystrokes(), 5);
  EXPECT_EQ(statistic().getErrorCount(), 2);
  EXPECT_EQ(statistic().Log.Strings(statistic().Log.Count() - 3), "200\tb\ty\t");
  EXPECT_EQ(task->Expected, 'c');
  EXPECT_EQ(task->Typed, 'c');
}

TEST_F(TTaskTest, RightKeysShrinkAPenaltyByAFifth) {
  Begin("aaa");
  task->PenalizeLetters('a', 'a');
  EXPECT_DOUBLE_EQ(Weight('a'), 400.0);  // both letters share the one weight
  course->getGenerator()->setWeight('a', 20);
  task->KeyPressed(1100, 'a');
  EXPECT_DOUBLE_EQ(Weight('a'), 16.2);
  task->KeyPressed(1200, 'a');
  EXPECT_DOUBLE_EQ(Weight('a'), 13.16);
}

TEST_F(TTaskTest, NoCharacterAndKeysAfterTheEndChangeNothing) {
  Begin("a");
  task->MarkInterrupted();
  task->KeyPressed(1100, 0);
  EXPECT_TRUE(task->Interrupted);
  task->KeyPressed(1200, 'a');
  events.clear();
  task->KeyPressed(1300, 'a');
  task->KeyPressed(1400, 'z');
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(statistic().getKeystrokes(), 1);
  EXPECT_DOUBLE_EQ(Weight('z'), 1.0);
}

TEST_F(TTaskTest, AnInterruptedKeyIsLoggedUntimedAndTheNextTimedAgain) {
  Begin("abc");
  task->KeyPressed(1100, 'a');
  task->MarkInterrupted();
  task->KeyPressed(9100, 'b');
  task->KeyPressed(9400, 'c');
  const TStringList& log = statistic().Log;
  EXPECT_EQ(log.Strings(log.Count() - 2), "8000\tb\tb\t-");
  EXPECT_EQ(log.Strings(log.Count() - 1), "300\tc\tc\t");
  EXPECT_EQ(statistic().Intervals, std::vector<int32_t>{300});
  EXPECT_FALSE(task->Interrupted);
}

TEST_F(TTaskTest, RestartRaisesRestartThenChange) {
  Begin("ab");
  task->KeyPressed(1100, 'a');
  task->KeyPressed(1200, 'x');
  events.clear();
  task->Restart();
  EXPECT_EQ(events, (std::vector<std::string>{"Restart", "Change"}));
  EXPECT_EQ(task->Position, 0);
  EXPECT_EQ(task->ErrorText, "");
  EXPECT_EQ(statistic().getKeystrokes(), 0);
}

TEST_F(TTaskTest, NextLineLengthFollowsTheSpeedAndOrderTheErrors) {
  struct Case {
    const char* name;
    int32_t length;
    int right, interval, errors;
    int32_t speed, nextLength, order;
  } cases[] = {
      {"Speed150", 30, 31, 400, 0, 150, 55, 4},
      {"Speed20RaisedTo30", 30, 3, 3000, 0, 20, 30, 4},
      {"Speed200LoweredTo80", 80, 21, 300, 0, 200, 80, 4},
      {"NoSpeedKeepsTheLength", 47, 1, 0, 0, 0, 47, 4},
      {"ThreeErrors", 30, 0, 0, 3, 0, 30, 4},
      {"FourErrors", 30, 0, 0, 4, 0, 30, 3},
      {"SevenErrors", 30, 0, 0, 7, 0, 30, 3},
      {"EightErrors", 30, 0, 0, 8, 0, 30, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    task->Length = c.length;
    task->Restart();
    int32_t time = statistic().LastTime;
    for (int i = 0; i < c.right; ++i) statistic().AddKeystroke(time += c.interval, 'a', 'a', false);
    for (int i = 0; i < c.errors; ++i) statistic().AddKeystroke(time += 100, 'a', 'b', false);
    ASSERT_EQ(task->getSpeed(), c.speed);
    course->getGenerator()->setWeight('a', 50);
    task->NewTask();
    EXPECT_EQ(task->Length, c.nextLength);
    EXPECT_EQ(course->getGenerator()->getOrder(), c.order);
    EXPECT_EQ(task->HadErrors, c.errors > 0);
    EXPECT_EQ(task->Text.size(), static_cast<size_t>(c.nextLength));
    EXPECT_DOUBLE_EQ(Weight('a'), 1.0);
    EXPECT_EQ(task->Position, 0);
    EXPECT_EQ(statistic().getKeystrokes(), 0);
  }
}

TEST_F(TTaskTest, ANewLineHasNoCharacterPending) {
  Begin("abc");
  task->KeyPressed(1100, 'x');
  events.clear();
  task->NewTask();
  EXPECT_EQ(task->ErrorText, "");
  EXPECT_TRUE(task->HadErrors);
  EXPECT_EQ(events, (std::vector<std::string>{"Restart", "Change"}));
}

TEST_F(TTaskTest, CompletionMayBeginTheNextLineInsideTheKey) {
  Begin("a");
  task->OnComplete = [this] { task->NewTask(); };
  task->MarkInterrupted();
  task->KeyPressed(1100, 'a');
  EXPECT_EQ(task->Text.size(), 30u);
  EXPECT_EQ(task->Position, 0);
  EXPECT_FALSE(task->Interrupted);
  EXPECT_EQ(statistic().Log.Strings(statistic().Log.Count() - 1), "*");
}

TEST(TTask, AFailedLineLeavesTheTaskReadyToAskAgain) {
  MillisecondClock clock{1000};
  CoursesInstallation app;
  // A trie without the suffix paths its draws need, which gives lines at the neutral weights;
  // once "b" weighs nothing, "a" leads nowhere, and the generator gives up on it.
  TTestHeader header;
  header.Order = 2;
  TempDir::Write(app.getCoursesDir() + "/Damaged.Base",
                 BaseBytes(header, SequenceRecords({{"ab", 1}, {"ba", 1}, {"cx", 1}})));
  TCourse* course = app.root().getCourses()->getCourse("Damaged");
  ASSERT_TRUE(course->Load(nullptr)) << course->getErrorText();
  TTask task(course);
  task.Text = "abc";
  task.Restart();
  int32_t time = task.getStatistic()->LastTime;
  for (int i = 0; i < 31; ++i) task.getStatistic()->AddKeystroke(time += 400, 'a', 'a', false);
  task.getStatistic()->AddKeystroke(time += 100, 'a', 'b', false);
  ASSERT_EQ(task.getSpeed(), 143);
  for (int attempt = 1; attempt <= 2; ++attempt) {
    SCOPED_TRACE(attempt);
    course->getGenerator()->setWeight('b', 0);
    EXPECT_THROW(task.NewTask(), Exception);
    EXPECT_EQ(task.Length, 53) << "moved once, by the line typed";
    EXPECT_TRUE(task.HadErrors);
    EXPECT_EQ(course->getGenerator()->getOrder(), 2);
    EXPECT_DOUBLE_EQ(course->getGenerator()->getWeight('b'), 1.0);
    EXPECT_EQ(task.getStatistic()->getKeystrokes(), 0);
    EXPECT_EQ(task.getStatistic()->getErrorCount(), 0);
    EXPECT_EQ(task.Text, "abc");
  }
}

TEST(TTask, WithoutALoadedCourseNoLineIsMade) {
  MillisecondClock clock;
  CoursesInstallation app;
  InstallCourse("English", app.getCoursesDir());
  TCourse* unloaded = app.root().getCourses()->getCourse("English");
  for (TCourse* course : {unloaded, static_cast<TCourse*>(nullptr)}) {
    SCOPED_TRACE(course ? "Unloaded" : "NoCourse");
    TTask task(course);
    try {
      task.NewTask();
      FAIL() << "a line was made";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, "4C3B0DCB/F No base");
    }
    EXPECT_EQ(task.Text, "");
    // Keys are still judged; there are no weights to adapt.
    task.Text = "ab";
    task.Restart();
    task.KeyPressed(1100, 'x');
    task.KeyPressed(1200, 'a');
    EXPECT_EQ(task.Position, 1);
    EXPECT_EQ(task.getStatistic()->getErrorCount(), 1);
  }
}

}  // namespace
