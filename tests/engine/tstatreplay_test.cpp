#include "engine/tstatreplay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ttaskstatistic.h"
#include "support/millisecondclock.h"
#include "support/tempdir.h"

namespace {

struct TFigures {
  int32_t Keystrokes, Errors, Speed, CurrentSpeed, TotalTime;
  double Rhythm;
  bool operator==(const TFigures&) const = default;
};

TFigures FiguresOf(const TTaskStatistic& exercise) {
  return {exercise.getKeystrokes(),   exercise.getErrorCount(), exercise.getSpeed(),
          exercise.getCurrentSpeed(), exercise.getTotalTime(),  exercise.getRhythm()};
}

std::vector<TFigures> Replay(const std::string& text, std::string* error = nullptr) {
  std::vector<TFigures> figures;
  TTaskStatistic statistic;
  std::string message;
  const bool done = ReplayStatistic(
      text, statistic, [&](const TTaskStatistic& e) { figures.push_back(FiguresOf(e)); }, message);
  if (error) *error = done ? "" : message;
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
      {"NoLeadingStar", "1\ta\ta\t\n*\n", {1, 0}},
      {"OnlyAStar", "*\r\n", {0}},
      {"Empty", "", {0}},
      {"BlankCharacters", "*\r\n10\t \t \t\r\n10\t \tx\t-\r\n", {2}},
      {"NoMarkField", "*\r\n10\ta\ta\r\n", {1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    std::vector<TFigures> figures = Replay(c.text, &error);
    EXPECT_EQ(error, "");
    std::vector<int32_t> keystrokes;
    for (const TFigures& f : figures) keystrokes.push_back(f.Keystrokes);
    EXPECT_EQ(keystrokes, c.keystrokes);
  }
}

TEST(ReplayStatistic, AClockThatComesToZeroIsNoRequestForTheTime) {
  MillisecondClock clock(777777);
  struct Case {
    const char* name;
    std::string text;
    int32_t totalTime;
  } cases[] = {
      {"FirstKeystroke", "*\r\n-1\ta\ta\t\r\n5\tb\tb\t\r\n7\tc\tc\t\r\n", 12},
      {"MidLine", "*\r\n10\ta\ta\t\r\n-11\tb\tb\t\r\n20\tc\tc\t\r\n", 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<TFigures> figures = Replay(c.text);
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].Keystrokes, 3);
    EXPECT_EQ(figures[0].TotalTime, c.totalTime);
  }
}

TEST(ReplayStatistic, StopsAtTheFirstLineThatIsNoKeystroke) {
  struct Case {
    const char* name;
    std::string line;
  } cases[] = {
      {"Empty", ""},
      {"NoTab", "100"},
      {"NotANumber", "1x\ta\ta\t"},
      {"Hexadecimal", "$10\ta\ta\t"},
      {"Blank", " 10\ta\ta\t"},
      {"NoTyped", "10\ta\t"},
      {"EmptyExpected", "10\t\ta\t"},
      {"EmptyTyped", "10\ta\t\t"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    std::vector<TFigures> figures = Replay("*\r\n5\ta\ta\t\r\n*\r\n" + c.line + "\r\n", &error);
    EXPECT_EQ(error, "line 4: not a keystroke line");
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].Keystrokes, 1);
  }
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
