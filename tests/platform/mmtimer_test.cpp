#include "platform/mmtimer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "support/testtimerclock.h"

namespace {

using namespace std::chrono_literals;

// What a timer's callback saw, for the test thread to wait on.
struct Calls {
  std::mutex lock;
  std::condition_variable changed;
  int count = 0;
  std::vector<std::chrono::steady_clock::time_point> times;
  uint32_t id = 0;
  std::thread::id thread;
  bool inside = false;
  bool killSelf = false;
  std::chrono::milliseconds work{0};

  static void Proc(uint32_t id, void* user) { static_cast<Calls*>(user)->Called(id); }

  void Called(uint32_t timerId) {
    {
      std::lock_guard<std::mutex> hold(lock);
      ++count;
      times.push_back(std::chrono::steady_clock::now());
      id = timerId;
      thread = std::this_thread::get_id();
      inside = true;
    }
    changed.notify_all();
    std::this_thread::sleep_for(work);
    if (killSelf) MMTimerKill(timerId);
    std::lock_guard<std::mutex> hold(lock);
    inside = false;
  }

  // Generous: only a broken timer makes this wait run out.
  bool WaitFor(int calls) {
    std::unique_lock<std::mutex> hold(lock);
    return changed.wait_for(hold, 10s, [&] { return count >= calls; });
  }

  int Count() {
    std::lock_guard<std::mutex> hold(lock);
    return count;
  }
};

TEST(MMTimer, CallsBackOnItsOwnThreadWithItsId) {
  Calls calls;
  uint32_t id = MMTimerStart(5, Calls::Proc, &calls);
  ASSERT_NE(id, 0u);
  EXPECT_EQ(MMTimerPeriod(id), 5u);
  ASSERT_TRUE(calls.WaitFor(3));
  EXPECT_TRUE(MMTimerKill(id));
  EXPECT_EQ(calls.id, id);
  EXPECT_NE(calls.thread, std::this_thread::get_id());
}

TEST(MMTimer, RefusesPeriodZeroAndKnowsOnlyRunningTimers) {
  Calls calls;
  EXPECT_EQ(MMTimerStart(0, Calls::Proc, &calls), 0u);
  EXPECT_FALSE(MMTimerKill(0));
  EXPECT_EQ(MMTimerPeriod(0), 0u);

  uint32_t first = MMTimerStart(1000, Calls::Proc, &calls);
  uint32_t second = MMTimerStart(1000, Calls::Proc, &calls);
  EXPECT_NE(first, second);
  EXPECT_TRUE(MMTimerKill(first));
  EXPECT_FALSE(MMTimerKill(first));
  EXPECT_EQ(MMTimerPeriod(first), 0u);
  EXPECT_EQ(MMTimerPeriod(second), 1000u);
  EXPECT_TRUE(MMTimerKill(second));
}

TEST(MMTimer, KillWaitsForARunningCallbackAndNoCallFollows) {
  Calls calls;
  calls.work = 50ms;
  uint32_t id = MMTimerStart(5, Calls::Proc, &calls);
  ASSERT_TRUE(calls.WaitFor(1));
  ASSERT_TRUE(MMTimerKill(id));
  int count = calls.Count();
  {
    std::lock_guard<std::mutex> hold(calls.lock);
    EXPECT_FALSE(calls.inside);
  }
  std::this_thread::sleep_for(30ms);
  EXPECT_EQ(calls.Count(), count);
}

TEST(MMTimer, CallbackKillsItsOwnTimer) {
  Calls calls;
  calls.killSelf = true;
  uint32_t id = MMTimerStart(5, Calls::Proc, &calls);
  ASSERT_TRUE(calls.WaitFor(1));
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(calls.Count(), 1);
  EXPECT_EQ(MMTimerPeriod(id), 0u);
  EXPECT_FALSE(MMTimerKill(id));
}

TEST(MMTimer, KillDoesNotWaitForTheNextBeat) {
  Calls calls;
  uint32_t id = MMTimerStart(60000, Calls::Proc, &calls);
  auto before = std::chrono::steady_clock::now();
  EXPECT_TRUE(MMTimerKill(id));
  // Far below the minute a sleeping thread would keep the caller waiting.
  EXPECT_LT(std::chrono::steady_clock::now() - before, 30s);
  EXPECT_EQ(calls.Count(), 0);
}

// On the monotonic clock: the wait for a deadline never ends before it.
TEST(MMTimer, NoCallComesBeforeItsDeadline) {
  Calls calls;
  calls.work = 2ms;
  const auto before = std::chrono::steady_clock::now();
  uint32_t id = MMTimerStart(10, Calls::Proc, &calls);
  ASSERT_TRUE(calls.WaitFor(5));
  ASSERT_TRUE(MMTimerKill(id));
  for (size_t k = 0; k < calls.times.size(); ++k)
    EXPECT_GE(calls.times[k], before + static_cast<int>(k + 1) * 10ms) << "call " << k + 1;
}

// The calls of a timer of 100 ms on the test clock until it stands past `end`, each call taking
// `work`; the times are from the start.
std::vector<std::chrono::milliseconds> CallTimes(std::chrono::milliseconds work,
                                                 std::chrono::milliseconds end) {
  TestTimerClock clock(end);
  struct Run {
    TestTimerClock& clock;
    std::chrono::milliseconds work;
    std::vector<std::chrono::milliseconds> times;
  } run{clock, work, {}};
  const uint32_t id = MMTimerStart(
      100,
      [](uint32_t, void* user) {
        Run& run = *static_cast<Run*>(user);
        run.times.push_back(run.clock.Elapsed());
        run.clock.Spend(run.work);
      },
      &run);
  clock.WaitForTheEnd();
  MMTimerKill(id);
  return run.times;
}

TEST(MMTimer, CallsKeepTheirDeadlinesAndSkipThoseTheyMissed) {
  using std::chrono::milliseconds;
  const struct {
    const char* name;
    milliseconds work;
    std::vector<int> times;
  } cases[] = {
      {"a quick call", 0ms, {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}},
      {"a call of a fifth of the period keeps the schedule",
       20ms,
       {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}},
      {"a call of two and a half periods skips the two deadlines it missed",
       250ms,
       {100, 400, 700, 1000}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<milliseconds> expected;
    for (int time : c.times) expected.push_back(milliseconds(time));
    EXPECT_EQ(CallTimes(c.work, 1050ms), expected);
  }
}

}  // namespace
