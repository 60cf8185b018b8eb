#pragma once
// How many copies and draws of the calling thread, on any canvas, scaled pixels to another
// size: the work a test or a benchmark expects of that thread, or none. Any thread.

#include <cstdint>

int64_t ScaledDraws();
