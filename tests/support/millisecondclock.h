#pragma once
// Puts a clock in place of the system's whose counter the test sets in whole milliseconds, so
// every millisecond stamp is known. The system's clock is back when the object goes.

#include <cstdint>

#include "platform/clock.h"

class MillisecondClock : public TClock {
public:
  explicit MillisecondClock(int64_t now = 1000) : Now(now) { Previous = SetClock(this); }
  ~MillisecondClock() override { SetClock(Previous); }
  MillisecondClock(const MillisecondClock&) = delete;
  MillisecondClock& operator=(const MillisecondClock&) = delete;

  bool CounterFrequency(int64_t& ticksPerSecond) const override {
    ticksPerSecond = 1000;
    return true;
  }
  int64_t CounterValue() const override { return Now; }
  uint32_t TickCount() const override { return static_cast<uint32_t>(Now); }

  int64_t Now;

private:
  const TClock* Previous = nullptr;
};
