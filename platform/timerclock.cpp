#include "platform/timerclock.h"

#include <atomic>

namespace {

// Never destroyed, as the timers' registry: a timer thread may still wait while the process
// exits. steady_clock is CLOCK_MONOTONIC.
TTimerClock& Monotonic() {
  static TTimerClock& clock = *new TTimerClock;
  return clock;
}

std::atomic<TTimerClock*> installed{nullptr};

}  // namespace

TTimerClock::TimePoint TTimerClock::Now() { return std::chrono::steady_clock::now(); }

// The wait is on a condition variable rather than clock_nanosleep so that a kill wakes the
// thread at once: with a beat of a minute, the killing thread would otherwise wait that long.
// libstdc++ waits for a steady-clock deadline with pthread_cond_clockwait on CLOCK_MONOTONIC.
bool TTimerClock::WaitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& hold,
                            TimePoint deadline, const bool& killed) {
  return wake.wait_until(hold, deadline, [&] { return killed; });
}

TTimerClock& TimerClock() {
  TTimerClock* clock = installed.load(std::memory_order_acquire);
  return clock ? *clock : Monotonic();
}

TTimerClock* SetTimerClock(TTimerClock* clock) { return installed.exchange(clock); }
