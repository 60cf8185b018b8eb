#pragma once
// The millisecond clock of key stamps: whole milliseconds on an absolute scale, so that stamps
// of different clocks (the hooks' and each statistics object's) can be subtracted. Reads the
// high-resolution counter, or the tick count where there is none. Held by value; one thread at
// a time per object.

#include <cstdint>

class THighResolutionTimer {
public:
  THighResolutionTimer();

  // Records StartCount; the time itself never depends on it.
  void Start();
  // Counter / TicksPerMs truncated, low 32 bits; without a counter the tick count.
  int32_t getTime() const;

  bool HasCounter = false;
  double TicksPerMs = 0;  // whole ticks per millisecond (the remainder dropped)
  int64_t StartCount = 0;
  int32_t Resolution = 16;  // nominal, in milliseconds
};
