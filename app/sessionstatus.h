#pragma once
// The values of the training screen's status-line placeholders: the user, the clock, the run's
// totals and the metronome, as names and texts in the order the screen sets them. Plain code;
// keeps nothing.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/datetime.h"

// The totals of one training run: only completed lines count.
struct TSessionTotals {
  int32_t TasksTime = 0;  // ms of typing
  int32_t TasksCount = 0;
  int32_t CharsCount = 0;  // keystrokes, errors included
  int32_t MaxProqCpm = 0;  // the best line's speed
};

struct TStatusValues {
  std::string UserName;
  TDateTime Time = 0;
  TSessionTotals Totals;
  double AverageWordLength = 1.0;
  bool MetronomeRunning = false;
  int32_t MetronomeTempo = 0;
};

using TPlaceholders = std::vector<std::pair<std::string, std::string>>;

// "USERNAME", "HH", "MM", "SS", "TASKS_TIME", "TASKS_COUNT", "CHARS_COUNT", "MAX_PROQ_CPM",
// "MAX_PROQ_WPM", "METRONOME_TEMPO", in this order. Words per minute are "-" for a word length
// of 0 or below, which gives no number.
TPlaceholders StatusPlaceholders(const TStatusValues& values);
