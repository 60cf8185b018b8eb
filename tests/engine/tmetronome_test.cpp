#include "engine/tmetronome.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "platform/mmtimer.h"
#include "support/testtimerclock.h"

namespace {

using namespace std::chrono_literals;

uint32_t RunningPeriod() { return MMTimerPeriod(TMetronome::getTimerId()); }

class TMetronomeTest : public testing::Test {
protected:
  void TearDown() override { TMetronome::OnTick = nullptr; }
};

TEST_F(TMetronomeTest, TempoSetsTheBeatPeriod) {
  const struct {
    const char* name;
    int32_t tempo;
    int32_t stored;
    uint32_t period;
  } cases[] = {
      {"default tempo", 45, 45, 1333},   {"one a second", 60, 60, 1000},
      {"fast", 200, 200, 300},           {"lowest", 1, 1, 60000},
      {"zero becomes one", 0, 1, 60000}, {"negative becomes one", -5, 1, 60000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TMetronome metronome(c.tempo);
    EXPECT_EQ(metronome.getTempo(), c.stored);
    EXPECT_FALSE(metronome.isRunning());
    metronome.Start();
    EXPECT_TRUE(metronome.isRunning());
    EXPECT_EQ(RunningPeriod(), c.period);

    TMetronome other(10);
    other.setTempo(c.tempo);
    EXPECT_EQ(other.getTempo(), c.stored);
  }
}

TEST_F(TMetronomeTest, SetTempoRestartsOnlyARunningMetronome) {
  TMetronome metronome(45);
  metronome.setTempo(90);
  EXPECT_FALSE(metronome.isRunning());
  EXPECT_EQ(TMetronome::getTimerId(), 0u);

  metronome.Start();
  uint32_t first = TMetronome::getTimerId();
  metronome.setTempo(90);
  EXPECT_TRUE(metronome.isRunning());
  EXPECT_NE(TMetronome::getTimerId(), first);
  EXPECT_EQ(MMTimerPeriod(first), 0u);
  EXPECT_EQ(RunningPeriod(), 666u);
}

TEST_F(TMetronomeTest, StopIsIdempotent) {
  TMetronome never(60);
  never.Stop();
  EXPECT_FALSE(never.isRunning());

  TMetronome metronome(60);
  metronome.Start();
  uint32_t id = TMetronome::getTimerId();
  metronome.Stop();
  metronome.Stop();
  EXPECT_FALSE(metronome.isRunning());
  EXPECT_EQ(MMTimerPeriod(id), 0u);
}

TEST_F(TMetronomeTest, StoppedMetronomeLeavesTheRunningOneAlone) {
  TMetronome running(60);
  running.Start();
  { TMetronome idle(120); }  // its destructor stops it
  EXPECT_EQ(RunningPeriod(), 1000u);
}

TEST_F(TMetronomeTest, StartingTwiceLeavesOneTimer) {
  TMetronome metronome(60);
  metronome.Start();
  uint32_t first = TMetronome::getTimerId();
  metronome.Start();
  EXPECT_EQ(MMTimerPeriod(first), 0u);
  EXPECT_EQ(RunningPeriod(), 1000u);

  // One metronome at a time: another one's start ends this one's beat.
  uint32_t second = TMetronome::getTimerId();
  TMetronome other(120);
  other.Start();
  EXPECT_EQ(MMTimerPeriod(second), 0u);
  EXPECT_EQ(RunningPeriod(), 500u);
}

TEST_F(TMetronomeTest, RefusedTimerRunsWithoutBeatsUntilStopped) {
  TMetronome metronome(60001);  // a beat shorter than a millisecond
  metronome.Start();
  EXPECT_TRUE(metronome.isRunning());
  EXPECT_EQ(TMetronome::getTimerId(), 0u);
  metronome.Stop();
  EXPECT_FALSE(metronome.isRunning());
}

TEST_F(TMetronomeTest, BeatsKeepTheirScheduleOverFiveSeconds) {
  // Each beat's handler takes a fifth of the beat, as a slow sound start might: a timer that
  // waited a period after each handler would fall a whole second behind in five.
  TestTimerClock clock(5050ms);
  std::vector<std::chrono::milliseconds> beats;  // the timer's thread's until the stop
  TMetronome::OnTick = [&] {
    beats.push_back(clock.Elapsed());
    clock.Spend(20ms);
  };
  TMetronome metronome(600);
  metronome.Start();
  clock.WaitForTheEnd();
  metronome.Stop();
  ASSERT_EQ(beats.size(), 50u);
  for (size_t k = 0; k < beats.size(); ++k)
    EXPECT_EQ(beats[k], static_cast<int>(k + 1) * 100ms) << "beat " << k + 1;
}

TEST_F(TMetronomeTest, AHandleSetsTheBeatHandlerWhileItLives) {
  int beats = 0;
  {
    TMetronome::TOnTickHandle handle([&] { ++beats; });
    ASSERT_TRUE(TMetronome::OnTick);
    TMetronome::OnTick();
  }
  EXPECT_EQ(beats, 1);
  EXPECT_FALSE(TMetronome::OnTick);
}

}  // namespace
