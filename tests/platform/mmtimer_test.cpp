#include "platform/mmtimer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;

// What a timer's callback saw, for the test thread to wait on.
struct Calls {
  std::mutex lock;
  std::condition_variable changed;
  int count = 0;
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

}  // namespace
