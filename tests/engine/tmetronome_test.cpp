#include "engine/tmetronome.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/mmtimer.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

uint32_t RunningPeriod() {
  return MMTimerPeriod(TMetronome::getTimerId());
}

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
  std::mutex lock;
  std::vector<Clock::time_point> beats;
  TMetronome::OnTick = [&] {
    {
      std::lock_guard<std::mutex> hold(lock);
      beats.push_back(Clock::now());
    }
    std::this_thread::sleep_for(20ms);
  };
  TMetronome metronome(600);
  Clock::time_point start = Clock::now();
  metronome.Start();
  std::this_thread::sleep_until(start + 5050ms);
  metronome.Stop();

  auto beatsBefore = [&](Clock::duration after) {
    int count = 0;
    for (Clock::time_point beat : beats) count += beat <= start + after;
    return count;
  };
  // Beats can come late on a busy machine, never early.
  EXPECT_GE(beatsBefore(1050ms), 8);
  EXPECT_LE(beatsBefore(1050ms), 10);
  EXPECT_GE(beatsBefore(5050ms), 46);
  EXPECT_LE(beatsBefore(5050ms), 50);
  for (size_t k = 0; k < beats.size(); ++k) {
    EXPECT_GE(beats[k], start + static_cast<int>(k + 1) * 100ms) << "beat " << k + 1;
  }
}

}  // namespace
