#include "platform/thighresolutiontimer.h"

#include "platform/clock.h"

THighResolutionTimer::THighResolutionTimer() {
  int64_t frequency = 0;
  // A counter slower than 1000 ticks a second would give no whole ticks per millisecond.
  HasCounter = Clock().CounterFrequency(frequency) && frequency >= 1000;
  if (HasCounter) {
    TicksPerMs = static_cast<double>(frequency / 1000);
    Resolution = 1;
  }
  Start();
}

void THighResolutionTimer::Start() {
  StartCount = HasCounter ? Clock().CounterValue() : static_cast<int64_t>(Clock().TickCount());
}

int32_t THighResolutionTimer::getTime() const {
  if (!HasCounter) return static_cast<int32_t>(Clock().TickCount());
  auto milliseconds =
      static_cast<int64_t>(static_cast<double>(Clock().CounterValue()) / TicksPerMs);
  return static_cast<int32_t>(static_cast<uint32_t>(milliseconds));
}
