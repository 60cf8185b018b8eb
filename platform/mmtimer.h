#pragma once
// The multimedia timer: periodic timers whose callback runs on a thread of the timer's own, at
// absolute deadlines on the timer clock (start + n * period; platform/timerclock.h), so the
// calls never drift. Any thread may start and kill timers; a callback may kill its own timer.

#include <cstdint>

// Called on the timer's thread with the timer's id and the value given at the start.
using TMMTimerProc = void (*)(uint32_t id, void* user);

// Starts a timer that calls proc every period milliseconds, the first time one period from now.
// A call whose deadline has already passed when the previous call returns is skipped, not made
// up in a burst. Returns the timer's id (never 0, never reused), or 0 when the period is 0 or no
// thread could be started.
uint32_t MMTimerStart(uint32_t periodMs, TMMTimerProc proc, void* user);

// Stops a running timer and waits until its thread has ended, so no call of its callback runs
// or follows once it returns. Called from the timer's own callback it stops the timer without
// waiting: no further call follows the one that is running. False for an id that is not running.
bool MMTimerKill(uint32_t id);

// The period in milliseconds of a running timer; 0 for an id that is not running.
uint32_t MMTimerPeriod(uint32_t id);
