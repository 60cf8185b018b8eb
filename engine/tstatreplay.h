#pragma once
// The replay of a ".stat" file keystroke by keystroke through a statistic of its own, by the
// rules of the statistics window, so that the window and the log checker give one set of
// figures: a keystroke whose interval is longer than 180,000 ms, negative, or no number counts
// as interrupted; each "*" line after the first, and the end of the file, closes an exercise.
// Reads the file a part at a time and keeps the figures of one exercise, whatever the size of
// the file; a file of more than kMostExercises exercises is refused. One thread.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/tstatlines.h"
#include "engine/ttaskstatistic.h"

// Called with the statistic when an exercise is closed, before it is reset for the next one.
using TExerciseEvent = std::function<void(const TTaskStatistic& exercise)>;

class TStatReplay {
public:
  // A run of more exercises than this is no training run: its file is refused.
  static constexpr int64_t kMostExercises = 100000;

  explicit TStatReplay(TExerciseEvent onExercise);

  // The lines after the first of the file and its end; `nowAndThen` (when set) is called after
  // every few dozen lines and may raise to stop. Raises what Line and the file raise, and the
  // file error for a run of more than kMostExercises exercises.
  void ReplayRest(TStatLines& file, const std::function<void()>& nowAndThen = {});

private:
  // A line after the file's first "*": "*" closes an exercise; any other is a keystroke line,
  // "interval TAB expected TAB typed [TAB mark]", cut at every TAB, a mark "-" meaning
  // interrupted. Raises the string list's index error for a line of fewer than three fields
  // and the range error for an empty expected or typed character.
  void Line(std::string_view line);
  // The end of the file closes the last exercise.
  void Close();

  TTaskStatistic Statistic;
  TExerciseEvent OnExercise;
  // Only differences of stamps count, so the clock starts at 1, not at 0, which asks the
  // statistic for the current time. It goes round the 32 bits as the statistic's stamps do.
  uint32_t Clock = 1;
  int64_t Exercises = 0;
};

// Whether a file's first line makes it a run's log: exactly "*". A file that has no line or
// begins otherwise is no statistics file and is not replayed.
inline bool BeginsARun(std::string_view firstLine) { return firstLine == "*"; }

// The whole file through a replay: false, replaying nothing, when it is no run's log. Raises
// what ReplayRest raises.
bool ReplayRun(TStatLines& file, TExerciseEvent onExercise);
