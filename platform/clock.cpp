#include "platform/clock.h"

#include <time.h>

#include <atomic>

namespace {

constexpr int64_t kNanosecondsPerSecond = 1000000000;

int64_t MonotonicNanoseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
}

const TClock kSystemClock;
std::atomic<const TClock*> installed{&kSystemClock};

}  // namespace

bool TClock::CounterFrequency(int64_t& ticksPerSecond) const {
  ticksPerSecond = kNanosecondsPerSecond;
  return true;
}

int64_t TClock::CounterValue() const { return MonotonicNanoseconds(); }

uint32_t TClock::TickCount() const {
  return static_cast<uint32_t>(MonotonicNanoseconds() / (kNanosecondsPerSecond / 1000));
}

const TClock& Clock() { return *installed.load(std::memory_order_acquire); }

const TClock* SetClock(const TClock* clock) {
  const TClock* previous = installed.exchange(clock ? clock : &kSystemClock);
  return previous == &kSystemClock ? nullptr : previous;
}
