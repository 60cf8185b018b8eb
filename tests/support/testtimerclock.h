#pragma once
// Puts a timer clock in place whose time moves only when a timer waits or a callback spends it:
// a wait for a deadline up to the clock's end jumps the time there at once, so a schedule of
// seconds runs in no time; at a deadline past the end the timer stands until it is killed, and
// the test can wait for that. The real clock is back when the object goes; timers started on
// this one must be killed first. Safe for concurrent use.

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/timerclock.h"

class TestTimerClock : public TTimerClock {
public:
  // The time starts at 0.
  explicit TestTimerClock(std::chrono::milliseconds end) : End(TimePoint{} + end) {
    Previous = SetTimerClock(this);
  }
  ~TestTimerClock() override { SetTimerClock(Previous); }
  TestTimerClock(const TestTimerClock&) = delete;
  TestTimerClock& operator=(const TestTimerClock&) = delete;

  TimePoint Now() override {
    std::lock_guard<std::mutex> guard(Lock);
    return Time;
  }
  std::chrono::milliseconds Elapsed() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Now() - TimePoint{});
  }
  // Time passes as it does while a callback works that long.
  void Spend(std::chrono::milliseconds work) {
    std::lock_guard<std::mutex> guard(Lock);
    Time += work;
  }
  // Returns once a timer stands at a deadline past the end.
  void WaitForTheEnd() {
    std::unique_lock<std::mutex> guard(Lock);
    Reached.wait(guard, [this] { return Standing > 0; });
  }

  bool WaitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& hold,
                 TimePoint deadline, const bool& killed) override {
    if (killed) return true;
    {
      std::lock_guard<std::mutex> guard(Lock);
      if (deadline <= End) {
        Time = std::max(Time, deadline);
        return false;
      }
      ++Standing;
    }
    Reached.notify_all();
    wake.wait(hold, [&] { return killed; });
    return true;
  }

private:
  const TimePoint End;
  TTimerClock* Previous = nullptr;
  std::mutex Lock;
  std::condition_variable Reached;
  TimePoint Time{};
  int Standing = 0;
};
