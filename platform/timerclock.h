#pragma once
// The time the multimedia timers keep and wait on: the monotonic clock, or a stand-in a test
// puts in place, so that a schedule is checked without waiting for it. A timer keeps the clock
// that was in place when it started, and uses it on its own thread: a clock must be safe for
// concurrent use. The real clock is.

#include <chrono>
#include <condition_variable>
#include <mutex>

class TTimerClock {
public:
  using TimePoint = std::chrono::steady_clock::time_point;

  virtual ~TTimerClock() = default;
  virtual TimePoint Now();
  // Called on a timer's thread with `hold` locked (and locked again on return): waits until
  // the deadline, or until `wake` is notified with `killed` set under `hold`. Answers killed.
  virtual bool WaitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& hold,
                         TimePoint deadline, const bool& killed);
};

TTimerClock& TimerClock();
// Puts `clock` in place for the timers started from now on (nullptr restores the real one);
// returns the one before. The caller keeps ownership and keeps it alive while a timer uses it.
TTimerClock* SetTimerClock(TTimerClock* clock);
