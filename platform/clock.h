#pragma once
// The system's clocks: the high-resolution counter (CLOCK_MONOTONIC in nanoseconds, the same
// absolute value for every reader at the same moment) and the tick count. Every caller reads
// them through Clock(), so a test can put a stand-in in place of the real clocks.
// The real clock is safe on any thread; a stand-in must be installed before threads read it.

#include <cstdint>

class TClock {
public:
  virtual ~TClock() = default;
  // Counter ticks per second; false when there is no high-resolution counter.
  virtual bool CounterFrequency(int64_t& ticksPerSecond) const;
  virtual int64_t CounterValue() const;
  // Milliseconds since the system started, wrapping at 2^32.
  virtual uint32_t TickCount() const;
};

const TClock& Clock();
// Puts `clock` in place of the real clocks (nullptr restores them); returns the one before.
// The caller keeps ownership and keeps it alive while installed.
const TClock* SetClock(const TClock* clock);
