#include "engine/tstatreplay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ttaskstatistic.h"
#include "support/millisecondclock.h"
#include "support/tempdir.h"

namespace {

struct TFigures {
  int32_t Keystrokes, Errors, Speed, CurrentSpeed;
  int64_t TotalTime;
  double Rhythm;
  bool operator==(const TFigures&) const = default;
};

TFigures FiguresOf(const TTaskStatistic& exercise) {
  return {exercise.getKeystrokes(),   exercise.getErrorCount(), exercise.getSpeed(),
          exercise.getCurrentSpeed(), exercise.getTotalTime(),  exercise.getRhythm()};
}

// The figures of a file of that text; `error` gets what stopped the replay, and "no run" for a
// text that is no run's log.
std::vector<TFigures> Replay(const std::string& text, std::string* error = nullptr) {
  TempDir folder;
  TempDir::Write(folder / "run.stat", text);
  std::vector<TFigures> figures;
  TStatLines file(folder / "run.stat");
  std::string message;
  try {
    if (!ReplayRun(file, [&](const TTaskStatistic& e) { figures.push_back(FiguresOf(e)); }))
      message = "no run";
  } catch (const Exception& e) {
    message = e.Message;
  }
  if (error)
    *error = message;
  else
    EXPECT_EQ(message, "");
  return figures;
}

TEST(ReplayStatistic, GivesTheFiguresOfTheLiveRun) {
  MillisecondClock clock(50000);
  TTaskStatistic live;
  std::vector<TFigures> expected;
  int32_t time = 50000;
  for (int line = 0; line < 6; ++line) {
    clock.Now = time += 700;
    live.Reset();
    for (int key = 0; key < 5 + line * 3; ++key) {
      time += 90 + (key * 37 + line * 11) % 260;
      const bool wrong = (key + line) % 4 == 3;
      const bool interrupted = key == 2 && line % 2 == 0;
      if (interrupted) time += 5000;
      live.AddKeystroke(time, 'e', wrong ? 'r' : 'e', interrupted);
    }
    expected.push_back(FiguresOf(live));
  }
  EXPECT_EQ(Replay(live.Log.Text()), expected);
}

TEST(ReplayStatistic, ExercisesAreClosedAtEveryLaterStarAndAtTheEnd) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<int32_t> keystrokes;
  } cases[] = {
      {"Written", "*\r\n1\ta\ta\t\r\n*\r\n*\r\n1\ta\ta\t\r\n2\tb\tb\t\r\n", {1, 0, 2}},
      {"LineFeedsOnly", "*\n1\ta\ta\t\n*\n1\ta\ta\t", {1, 1}},
      {"CarriageReturnsOnly", "*\r1\ta\ta\t\r*\r1\ta\ta\t\r", {1, 1}},
      {"OnlyAStar", "*\r\n", {0}},
      {"BlankCharacters", "*\r\n10\t \t \t\r\n10\t \tx\t-\r\n", {2}},
      {"NoMarkField", "*\r\n10\ta\ta\r\n", {1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int32_t> keystrokes;
    for (const TFigures& f : Replay(c.text)) keystrokes.push_back(f.Keystrokes);
    EXPECT_EQ(keystrokes, c.keystrokes);
  }
}

TEST(ReplayStatistic, AFileThatDoesNotBeginARunIsNotReplayed) {
  for (const std::string text : {"", "1\ta\ta\t\r\n*\r\n", "**\r\n", " *\r\n"}) {
    SCOPED_TRACE(text);
    std::string error;
    EXPECT_TRUE(Replay(text, &error).empty());
    EXPECT_EQ(error, "no run");
  }
}

// The intervals of the second and third keystroke of one exercise, and what the exercise's
// total time then is.
TEST(ReplayStatistic, IntervalsOver180000NegativeOrUnreadableAreInterrupted) {
  struct Case {
    const char* name;
    std::string interval;
    int64_t totalTime;
  } cases[] = {
      {"AtTheBound", "180000", 180000 + 100},
      {"OverTheBound", "180001", 100},
      {"APauseOf200Seconds", "200000", 100},
      {"NoNumber", "1x", 100},
      {"Negative", "-1", 100},
      {"TheMostNegative", "-2147483648", 100},
      {"TheLargest", "2147483647", 100},
      {"ReadAsTheRunTimeLibraryReadsIt", " $10", 16 + 100},
      {"Marked", "300\ta\ta\t-\r\n100", 100 + 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<TFigures> figures =
        Replay("*\r\n500\ta\ta\t\r\n" + c.interval + "\ta\ta\t\r\n100\ta\ta\t\r\n");
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].TotalTime, c.totalTime);
  }
}

// The pause is no typing: the speed is that of the keys around it.
TEST(ReplayStatistic, APauseLeavesTheSpeedOfTheKeysAroundIt) {
  std::string text = "*\r\n500\ta\ta\t\r\n";
  for (int key = 0; key < 20; ++key) text += key == 10 ? "200000\ta\ta\t\r\n" : "300\ta\ta\t\r\n";
  const std::vector<TFigures> figures = Replay(text);
  ASSERT_EQ(figures.size(), 1u);
  EXPECT_EQ(figures[0].TotalTime, 19 * 300);
  EXPECT_EQ(figures[0].Speed, 20 * 60000 / (19 * 300));
}

// Files of more than 49 days' typing take the clock round its 32 bits, once to 0, which is
// no request for the current time: the figures are those of the same keys stamped elsewhere.
TEST(ReplayStatistic, AClockThatGoesRoundItsThirtyTwoBitsKeepsTheIntervals) {
  MillisecondClock clock(777777);
  // 1 + 23860 x 180000 + 167295 = 2^32.
  std::vector<int32_t> intervals(23860, 180000);
  intervals.insert(intervals.end(), {167295, 5, 7});
  std::string text = "*\r\n";
  TTaskStatistic live;
  live.Reset();
  uint32_t stamp = 1000;
  for (int32_t interval : intervals) {
    text += std::to_string(interval) + "\ta\ta\t\r\n";
    live.AddKeystroke(static_cast<int32_t>(stamp += interval), 'a', 'a', false);
  }
  const std::vector<TFigures> figures = Replay(text);
  ASSERT_EQ(figures.size(), 1u);
  EXPECT_EQ(figures[0], FiguresOf(live));
  EXPECT_EQ(figures[0].TotalTime, int64_t(23859) * 180000 + 167295 + 5 + 7);
}

TEST(ReplayStatistic, ABrokenKeystrokeLineStopsTheReplayWithTheListsError) {
  struct Case {
    const char* name;
    std::string line;
    std::string error;
  } cases[] = {
      {"Empty", "", "List index out of bounds (1)"},
      {"NoTab", "100", "List index out of bounds (1)"},
      {"TwoFields", "10\ta", "List index out of bounds (2)"},
      {"EmptyTyped", "10\ta\t", "Range check error"},
      {"EmptyExpected", "10\t\ta\t", "Range check error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    std::vector<TFigures> figures = Replay("*\r\n5\ta\ta\t\r\n*\r\n" + c.line + "\r\n", &error);
    EXPECT_EQ(error, c.error);
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].Keystrokes, 1);
  }
}

TEST(ReplayStatistic, ARunOfTooManyExercisesIsRefusedAfterTheMostThatAreShown) {
  std::string text;
  for (int64_t star = 0; star <= TStatReplay::kMostExercises; ++star) text += "*\r\n";
  std::string error;
  const std::vector<TFigures> figures = Replay(text, &error);
  EXPECT_EQ(error.rfind("Cannot open file \"", 0), 0u) << error;
  EXPECT_NE(error.find("A run of more than 100000 exercises"), std::string::npos) << error;
  EXPECT_EQ(static_cast<int64_t>(figures.size()), TStatReplay::kMostExercises);

  text.resize(text.size() - 3);
  EXPECT_EQ(static_cast<int64_t>(Replay(text).size()), TStatReplay::kMostExercises)
      << "the most is taken";
}

TEST(ReplayStatistic, TheCheckersGoldenRun) {
  const std::string text = TempDir::Read(LOMTAK_TEST_DATA_DIR "/statreplay/run.stat");
  std::vector<TFigures> figures = Replay(text);
  ASSERT_EQ(figures.size(), 2u);
  EXPECT_EQ(figures[0].Keystrokes, 4);
  EXPECT_EQ(figures[0].Speed, 133);
  EXPECT_EQ(figures[0].CurrentSpeed, 299);
  EXPECT_NEAR(figures[0].Rhythm, 0.75354, 1e-5);
  EXPECT_EQ(figures[1].Speed, 480);
  EXPECT_EQ(figures[1].TotalTime, 250);
}

}  // namespace
