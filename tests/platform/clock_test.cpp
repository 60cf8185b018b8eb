#include "platform/clock.h"

#include <gtest/gtest.h>
#include <time.h>

namespace {

TEST(Clock, CounterIsTheMonotonicClockInNanoseconds) {
  int64_t frequency = 0;
  ASSERT_TRUE(Clock().CounterFrequency(frequency));
  EXPECT_EQ(frequency, 1000000000);
  timespec before, after;
  clock_gettime(CLOCK_MONOTONIC, &before);
  int64_t counter = Clock().CounterValue();
  clock_gettime(CLOCK_MONOTONIC, &after);
  EXPECT_GE(counter, before.tv_sec * 1000000000LL + before.tv_nsec);
  EXPECT_LE(counter, after.tv_sec * 1000000000LL + after.tv_nsec);
  // The tick count is the same clock in whole milliseconds, wrapping at 2^32.
  uint32_t milliseconds = static_cast<uint32_t>(Clock().CounterValue() / 1000000);
  EXPECT_LT(Clock().TickCount() - milliseconds, 1000u);
}

TEST(Clock, StandInTakesThePlaceOfTheSystemClock) {
  struct Fixed : TClock {
    int64_t CounterValue() const override { return 42; }
  } fixed;
  EXPECT_EQ(SetClock(&fixed), nullptr);
  EXPECT_EQ(Clock().CounterValue(), 42);
  EXPECT_EQ(SetClock(nullptr), &fixed);
  EXPECT_NE(Clock().CounterValue(), 42);
}

}  // namespace
