#include "engine/tstatreplay.h"

#include <charconv>
#include <cstdint>
#include <string_view>

#include "engine/ttaskstatistic.h"

namespace {

struct TKeystrokeLine {
  int32_t Interval;
  unsigned char Expected;
  unsigned char Typed;
  bool Interrupted;
};

// Fields are cut at TAB only and never trimmed: a blank is a character like any other.
bool ParseKeystroke(std::string_view line, TKeystrokeLine& keystroke) {
  const size_t first = line.find('\t');
  if (first == std::string_view::npos) return false;
  const char* end = line.data() + first;
  auto [stop, failure] = std::from_chars(line.data(), end, keystroke.Interval);
  if (failure != std::errc() || stop != end) return false;
  const size_t second = line.find('\t', first + 1);
  if (second == std::string_view::npos || second == first + 1) return false;
  const size_t third = line.find('\t', second + 1);
  const size_t typedEnd = third == std::string_view::npos ? line.size() : third;
  if (typedEnd == second + 1) return false;
  keystroke.Expected = static_cast<unsigned char>(line[first + 1]);
  keystroke.Typed = static_cast<unsigned char>(line[second + 1]);
  keystroke.Interrupted =
      third != std::string_view::npos && third + 1 < line.size() && line[third + 1] == '-';
  return true;
}

}  // namespace

bool ReplayStatistic(const std::string& text, TTaskStatistic& statistic,
                     const TExerciseEvent& onExercise, std::string& error) {
  statistic.Reset();
  // Only differences of stamps count, so the clock may start anywhere; not at 0, which asks
  // the statistic for the current time.
  uint32_t clock = 1;
  int number = 0;
  for (size_t start = 0; start < text.size();) {
    size_t stop = text.find('\n', start);
    if (stop == std::string::npos) stop = text.size();
    std::string_view line(text.data() + start, stop - start);
    start = stop + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line == "*") {
      // The first line "*" opens the exercise the replay began with.
      if (number == 1) continue;
      onExercise(statistic);
      statistic.Reset();
      continue;
    }
    TKeystrokeLine keystroke;
    if (!ParseKeystroke(line, keystroke)) {
      error = "line " + std::to_string(number) + ": not a keystroke line";
      return false;
    }
    if (!keystroke.Interrupted) clock += static_cast<uint32_t>(keystroke.Interval);
    if (clock == 0) {
      // The intervals brought the clock to 0: move it and the last stamp on by one, which keeps
      // every difference.
      clock = 1;
      statistic.LastTime = static_cast<int32_t>(static_cast<uint32_t>(statistic.LastTime) + 1);
    }
    statistic.AddKeystroke(static_cast<int32_t>(clock), keystroke.Expected, keystroke.Typed,
                           keystroke.Interrupted);
  }
  onExercise(statistic);
  statistic.Reset();
  return true;
}
