#include "platform/thighresolutiontimer.h"

#include <gtest/gtest.h>
#include <time.h>

#include "platform/clock.h"

namespace {

// A clock whose counter and tick count the test sets.
struct StandInClock : TClock {
  bool CounterFrequency(int64_t& ticksPerSecond) const override {
    ticksPerSecond = Frequency;
    return HasCounter;
  }
  int64_t CounterValue() const override { return Counter; }
  uint32_t TickCount() const override { return Ticks; }

  bool HasCounter = true;
  int64_t Frequency = 3579545;
  int64_t Counter = 0;
  uint32_t Ticks = 0;
};

class TimerTest : public ::testing::Test {
protected:
  void SetUp() override { SetClock(&clock); }
  void TearDown() override { SetClock(nullptr); }
  StandInClock clock;
};

TEST_F(TimerTest, WholeTicksPerMillisecondAndTruncatedTime) {
  THighResolutionTimer timer;
  EXPECT_TRUE(timer.HasCounter);
  EXPECT_EQ(timer.TicksPerMs, 3579.0);
  EXPECT_EQ(timer.Resolution, 1);
  clock.Counter = 3579 * 1000 + 3578;
  EXPECT_EQ(timer.getTime(), 1000);
  // Beyond 2^32 milliseconds only the low 32 bits remain.
  clock.Counter = 3579 * ((int64_t{1} << 32) + 5);
  EXPECT_EQ(timer.getTime(), 5);
  clock.Counter = 3579 * int64_t{0xFFFFFFFF};
  EXPECT_EQ(timer.getTime(), -1);
}

TEST_F(TimerTest, ClocksBuiltAtDifferentTimesAgree) {
  clock.Counter = 1000000;
  THighResolutionTimer early;
  clock.Counter = 9000000;
  THighResolutionTimer late;
  late.Start();
  EXPECT_EQ(early.StartCount, 1000000);
  EXPECT_EQ(late.StartCount, 9000000);
  EXPECT_EQ(early.getTime(), late.getTime());
}

TEST_F(TimerTest, WithoutCounterTheTickCount) {
  for (int64_t frequency : {int64_t{0}, int64_t{999}}) {
    SCOPED_TRACE(frequency);
    clock.HasCounter = frequency != 0;
    clock.Frequency = frequency;
    clock.Ticks = 0xFFFFFFF0u;
    THighResolutionTimer timer;
    EXPECT_FALSE(timer.HasCounter);
    EXPECT_EQ(timer.TicksPerMs, 0);
    EXPECT_EQ(timer.Resolution, 16);
    EXPECT_EQ(timer.StartCount, 0xFFFFFFF0LL);
    EXPECT_EQ(timer.getTime(), -16);
  }
}

TEST(Timer, SystemClockGivesMonotonicMilliseconds) {
  THighResolutionTimer timer;
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  auto expected =
      static_cast<int32_t>(static_cast<uint32_t>(now.tv_sec * 1000LL + now.tv_nsec / 1000000));
  EXPECT_LE(static_cast<uint32_t>(timer.getTime() - expected), 100u);
}

}  // namespace
