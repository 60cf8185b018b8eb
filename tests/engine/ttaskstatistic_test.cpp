#include "engine/ttaskstatistic.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "support/faultyfilesystem.h"
#include "support/millisecondclock.h"
#include "support/tempdir.h"
#include "support/usualumask.h"
#include "toolkit/exception.h"

namespace {

namespace fs = std::filesystem;

// A statistic whose clock stands at 1000 ms when the test begins.
class TaskStatisticTest : public ::testing::Test {
protected:
  // Keystrokes at the given intervals after the line began, right unless `wrong`.
  void Type(const std::vector<int32_t>& intervals, const std::vector<bool>& wrong = {}) {
    int32_t time = statistic.LastTime;
    for (size_t i = 0; i < intervals.size(); ++i) {
      time += intervals[i];
      const bool isWrong = i < wrong.size() && wrong[i];
      statistic.AddKeystroke(time, 'a', isWrong ? 'b' : 'a', false);
    }
  }

  MillisecondClock clock{1000};
  TTaskStatistic statistic;
};

TEST_F(TaskStatisticTest, FirstKeystrokeIsLoggedButNotTimed) {
  statistic.Reset();
  EXPECT_EQ(statistic.Log.Count(), 1);
  EXPECT_EQ(statistic.Log.Strings(0), "*");
  EXPECT_EQ(statistic.LastTime, 1000);
  statistic.AddKeystroke(1812, 'k', 'k', false);
  EXPECT_EQ(statistic.Log.Strings(1), "812\tk\tk\t");
  EXPECT_EQ(statistic.getKeystrokes(), 1);
  EXPECT_EQ(statistic.Correct, 1);
  EXPECT_EQ(statistic.getErrorCount(), 0);
  EXPECT_TRUE(statistic.Intervals.empty());
  EXPECT_EQ(statistic.Math.getCount(), 0);
  EXPECT_TRUE(statistic.Modified);
}

TEST_F(TaskStatisticTest, TimeZeroTakesTheClock) {
  statistic.Reset();
  clock.Now = 1400;
  statistic.AddKeystroke(0, 'k', 'k', false);
  EXPECT_EQ(statistic.Log.Strings(1), "400\tk\tk\t");
  EXPECT_EQ(statistic.LastTime, 1400);
}

TEST_F(TaskStatisticTest, InterruptedKeystrokeIsMarkedAndTheNextMeasuredFromIt) {
  statistic.Reset();
  statistic.AddKeystroke(1100, 'a', 'a', false);
  statistic.AddKeystroke(5100, 'b', 'b', true);
  statistic.AddKeystroke(5300, 'c', 'c', false);
  EXPECT_EQ(statistic.Log.Strings(2), "4000\tb\tb\t-");
  EXPECT_EQ(statistic.Log.Strings(3), "200\tc\tc\t");
  EXPECT_EQ(statistic.getKeystrokes(), 3);
  EXPECT_EQ(statistic.Intervals, std::vector<int32_t>{200});
  EXPECT_EQ(statistic.getTotalTime(), 200);
}

TEST_F(TaskStatisticTest, WrongKeystrokeIsNegativeOnlyInTheIntervals) {
  statistic.Reset();
  Type({500, 300, 100}, {false, true, false});
  EXPECT_EQ(statistic.Intervals, (std::vector<int32_t>{-300, 100}));
  EXPECT_EQ(statistic.Log.Strings(2), "300\ta\tb\t");
  EXPECT_EQ(statistic.Math.getSum(), 400);
  EXPECT_EQ(statistic.getErrorCount(), 1);
}

TEST_F(TaskStatisticTest, SpeedChargesEachErrorTheMeanTimeOfARightKeystroke) {
  statistic.Reset();
  // 31 right and 2 wrong keystrokes; the 32 timed intervals add up to 12,000 ms.
  std::vector<int32_t> intervals(33, 375);
  std::vector<bool> wrong(33, false);
  wrong[10] = wrong[20] = true;
  Type(intervals, wrong);
  EXPECT_EQ(statistic.Correct, 31);
  EXPECT_EQ(statistic.getErrorCount(), 2);
  EXPECT_EQ(statistic.getTotalTime(), 12000);
  EXPECT_EQ(statistic.getSpeed(), 140);
}

TEST_F(TaskStatisticTest, CurrentSpeedAndRhythmOfTheTimedIntervals) {
  struct Case {
    const char* name;
    std::vector<int32_t> intervals;
    int32_t currentSpeed;
    double rhythm;
  } cases[] = {
      {"Mean250", {999, 250, 250}, 239, 1.0},
      {"Even", {999, 200, 200}, 299, 1.0},
      {"Uneven", {999, 100, 300}, 299, 0.70710678},
      {"OneTimed", {999, 250}, 239, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    statistic.Reset();
    Type(c.intervals);
    EXPECT_EQ(statistic.getCurrentSpeed(), c.currentSpeed);
    EXPECT_NEAR(statistic.getRhythm(), c.rhythm, 1e-8);
  }
}

TEST_F(TaskStatisticTest, ALineWithOneKeystrokeKeepsTheCurrentSpeedOfAnyStatistic) {
  statistic.Reset();
  Type({999, 250, 250});
  EXPECT_EQ(statistic.getCurrentSpeed(), 239);
  TTaskStatistic other;
  other.Reset();
  other.AddKeystroke(1500, 'a', 'a', false);
  EXPECT_EQ(other.getSpeed(), 0);
  EXPECT_EQ(other.getRhythm(), 0);
  EXPECT_EQ(other.getCurrentSpeed(), 239);
}

TEST_F(TaskStatisticTest, ZeroTimeGivesZeroFiguresNotANumber) {
  statistic.Reset();
  Type({10, 0, 0, 0});
  EXPECT_EQ(statistic.getSpeed(), 0);
  EXPECT_EQ(statistic.getRhythm(), 0);
  EXPECT_EQ(statistic.getTotalTime(), 0);
  EXPECT_EQ(statistic.getCurrentSpeed(), 60000000);
}

TEST_F(TaskStatisticTest, StampsAcrossTheClocksWrapGiveTheRightInterval) {
  statistic.Reset();
  statistic.AddKeystroke(INT32_MAX - 99, 'a', 'a', false);
  statistic.AddKeystroke(INT32_MIN + 100, 'a', 'a', false);
  EXPECT_EQ(statistic.Intervals, std::vector<int32_t>{200});
  // A wrong keystroke half the clock's range later: its negation wraps as the stamps do.
  statistic.AddKeystroke(100, 'a', 'b', false);
  EXPECT_EQ(statistic.Intervals, (std::vector<int32_t>{200, INT32_MIN}));
  EXPECT_EQ(statistic.Log.Strings(statistic.Log.Count() - 1), "-2147483648\ta\tb\t");
}

TEST_F(TaskStatisticTest, ResetBeginsAFreshLineButKeepsTheLog) {
  statistic.Reset();
  Type({999, 100, 300}, {false, true});
  clock.Now = 9000;
  statistic.Reset();
  EXPECT_EQ(statistic.getKeystrokes(), 0);
  EXPECT_EQ(statistic.getErrorCount(), 0);
  EXPECT_EQ(statistic.Correct, 0);
  EXPECT_TRUE(statistic.Intervals.empty());
  EXPECT_EQ(statistic.Math.getCount(), 0);
  EXPECT_EQ(statistic.LastTime, 9000);
  EXPECT_EQ(statistic.Log.Count(), 5);
  EXPECT_EQ(statistic.Log.Strings(4), "*");
}

// A statistic with the statistics folder of a course in a fresh profile folder.
class TaskStatisticSaveTest : public TaskStatisticTest {
protected:
  void SetUp() override {
    statistic.Folder = dir / "Anna/English/Statistic";
    statistic.StartTime = EncodeDateTime({2010, 3, 5, 9, 7, 3, 0});
  }
  // The small run of the golden file.
  void TypeRun() {
    statistic.Reset();
    statistic.AddKeystroke(1812, 'a', 'a', false);
    statistic.AddKeystroke(1962, ' ', ' ', false);
    statistic.AddKeystroke(2162, 'b', 'x', false);
    statistic.AddKeystroke(2262, 'b', 'b', true);
    clock.Now = 5000;
    statistic.Reset();
    clock.Now = 6000;
    statistic.Reset();
    statistic.AddKeystroke(6300, 'c', 'c', false);
  }

  TempDir dir;
  const std::string file = dir / "Anna/English/Statistic/2010-03-05-09-07-03.stat";
};

TEST_F(TaskStatisticSaveTest, WritesTheRunNamedByItsStartTime) {
  TypeRun();
  EXPECT_EQ(statistic.getFileName(), file);
  statistic.Save();
  EXPECT_EQ(TempDir::Read(file),
            TempDir::Read(LOMTAK_TEST_DATA_DIR "/statfile/2010-03-05-09-07-03.stat"));
}

TEST_F(TaskStatisticSaveTest, EverySaveRewritesTheOneFileWithTheLongerLog) {
  statistic.Reset();
  statistic.AddKeystroke(1500, 'a', 'a', false);
  statistic.Save();
  EXPECT_EQ(TempDir::Read(file), "*\r\n500\ta\ta\t\r\n");
  statistic.AddKeystroke(1700, 'b', 'b', false);
  statistic.Save();
  EXPECT_EQ(TempDir::Read(file), "*\r\n500\ta\ta\t\r\n200\tb\tb\t\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(statistic.Folder), fs::directory_iterator()), 1);
}

// Every run saves under a name of its own, so only a look at the whole folder finds what
// earlier runs' interrupted saves left.
TEST_F(TaskStatisticSaveTest, ARunClearsWhatInterruptedSavesOfEarlierRunsLeft) {
  fs::create_directories(statistic.Folder);
  const std::string killed = statistic.Folder + "/2010-03-04-08-00-00.stat.~4999999.0";
  const std::string running = statistic.Folder + "/2010-03-05-09-00-00.stat.~4999998.1";
  TempDir::Write(killed, "*\r\n");
  TempDir::Age(killed, 24 * 3600);
  TempDir::Write(running, "*\r\n");
  statistic.Reset();
  statistic.Save();
  EXPECT_FALSE(fs::exists(killed));
  EXPECT_TRUE(fs::exists(running)) << "another instance may be writing it";
  EXPECT_EQ(TempDir::Read(file), "*\r\n");
}

// In a profile folder, private to its owner, the statistics are private too.
TEST_F(TaskStatisticSaveTest, TheStatisticsOfAPrivateProfileArePrivate) {
  UsualUmask mask;
  fs::create_directory(dir / "Anna");
  fs::permissions(dir / "Anna", fs::perms::owner_all);
  statistic.Reset();
  statistic.Save();
  for (const std::string& folder : {dir / "Anna/English", statistic.Folder})
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all) << folder;
  EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(TaskStatisticSaveTest, WithoutAFolderNothingIsSaved) {
  TTaskStatistic alone;
  EXPECT_EQ(alone.getFolder(), "");
  alone.Reset();
  try {
    alone.Save();
    FAIL() << "saved";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "140E5929/H Can't save user data!");
  }
  EXPECT_EQ(alone.Log.Count(), 1);
}

TEST_F(TaskStatisticSaveTest, AFailedSaveKeepsTheFileBeforeAndTheLog) {
  statistic.Reset();
  statistic.AddKeystroke(1500, 'a', 'a', false);
  statistic.Save();
  const std::string saved = TempDir::Read(file);
  for (int i = 0; i < 2000; ++i) statistic.AddKeystroke(1600 + i, 'a', 'a', false);
  {
    FaultyFileSystem disk;
    disk.FillAfter(saved.size() + 10);
    EXPECT_THROW(statistic.Save(), Exception);
  }
  EXPECT_EQ(TempDir::Read(file), saved);
  EXPECT_EQ(std::distance(fs::directory_iterator(statistic.Folder), fs::directory_iterator()), 1);
  statistic.Save();
  EXPECT_EQ(TempDir::Read(file), statistic.Log.Text());
}

// The first save in the background makes the file before it returns, as a name of its own is
// to be found; the later ones write a copy of the log as it was, and one that failed is made
// again by the next save or by FinishSave, which then raise the error.
TEST_F(TaskStatisticSaveTest, InTheBackgroundTheLogAsItWasIsWrittenAndAFailureIsRaisedLater) {
  statistic.Reset();
  statistic.AddKeystroke(1500, 'a', 'a', false);
  statistic.SaveInBackground();
  EXPECT_EQ(TempDir::Read(file), "*\r\n500\ta\ta\t\r\n");

  statistic.AddKeystroke(1700, 'b', 'b', false);
  const std::string written = statistic.Log.Text();
  statistic.SaveInBackground();
  statistic.AddKeystroke(1900, 'c', 'c', false);
  statistic.FinishSave();
  EXPECT_EQ(TempDir::Read(file), written);

  {
    FaultyFileSystem disk;
    disk.Fail(FileOperation::Rename, ".stat");
    statistic.SaveInBackground();
    EXPECT_THROW(statistic.FinishSave(), Exception);
    statistic.SaveInBackground();
    EXPECT_THROW(statistic.SaveInBackground(), Exception) << "the failure said at the next save";
    disk.Heal();
    statistic.FinishSave();
  }
  EXPECT_EQ(TempDir::Read(file), written) << "the failed saves left it as it was";
  statistic.SaveInBackground();
  statistic.FinishSave();
  EXPECT_EQ(TempDir::Read(file), statistic.Log.Text());
}

// Names have whole seconds: a second copy of the program, or a run begun in the second the one
// before ended, starts at the same second. No save replaces a file it did not make itself.
TEST_F(TaskStatisticSaveTest, RunsOfOneSecondKeepEachTheirFile) {
  const std::string folder = statistic.Folder;
  fs::create_directories(folder);
  const std::string earlier = folder + "/2010-03-05-09-07-04.stat";
  TempDir::Write(earlier, "*\r\n1\tq\tq\t\r\n");
  TTaskStatistic other(folder);
  other.StartTime = statistic.StartTime + 0.5 / 86400;
  statistic.Reset();
  other.Reset();
  // Each saves after every line, by turns.
  for (int line = 0; line < 2; ++line) {
    statistic.AddKeystroke(1500, 'a', 'a', false);
    statistic.Save();
    other.AddKeystroke(1500, 'b', 'b', false);
    other.Save();
  }
  EXPECT_EQ(statistic.getFileName(), file);
  EXPECT_EQ(other.getFileName(), folder + "/2010-03-05-09-07-05.stat");
  EXPECT_EQ(TempDir::Read(file), statistic.Log.Text());
  EXPECT_EQ(TempDir::Read(other.getFileName()), other.Log.Text());
  EXPECT_EQ(TempDir::Read(earlier), "*\r\n1\tq\tq\t\r\n") << "an earlier run's file";
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3);
}

// A user deleted while a run goes on (by another copy of the program) stays deleted: the save
// fails instead of making the profile folder anew.
TEST_F(TaskStatisticSaveTest, ASaveNeverMakesTheProfileFolder) {
  const std::string profile = dir / "Anna";
  TTaskStatistic run(statistic.Folder, profile);
  run.StartTime = statistic.StartTime;
  run.Reset();
  for (bool before : {false, true}) {
    SCOPED_TRACE(before ? "deleted after a save" : "deleted before the first save");
    if (before) {
      fs::create_directory(profile);
      run.Save();
      ASSERT_EQ(TempDir::Read(file), run.Log.Text());
      fs::remove_all(profile);
    }
    run.AddKeystroke(1500, 'a', 'a', false);
    EXPECT_THROW(run.Save(), Exception);
    EXPECT_FALSE(fs::exists(profile));
  }
}

}  // namespace
