#pragma once
// Replays the text of a ".stat" file through a keystroke statistic so that it yields the figures
// of the live run: each "*" line after the first, and the end of the text, closes an exercise.
// Uses the statistic it is given and does not save it. One thread at a time per statistic.

#include <functional>
#include <string>

class TTaskStatistic;

// Called with the statistic when an exercise is closed, before it is reset for the next one.
using TExerciseEvent = std::function<void(const TTaskStatistic& exercise)>;

// Keystroke lines are "interval TAB expected TAB typed [TAB mark]"; a mark "-" means
// interrupted. Lines end with CR LF or LF. False, with `error` naming the 1-based line, at the
// first line that is neither "*" nor such a keystroke line; the exercises before it were handed
// over.
bool ReplayStatistic(const std::string& text, TTaskStatistic& statistic,
                     const TExerciseEvent& onExercise, std::string& error);
