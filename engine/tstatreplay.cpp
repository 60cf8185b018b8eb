#include "engine/tstatreplay.h"

#include <charconv>
#include <utility>

#include "engine/tstatfields.h"
#include "toolkit/exception.h"
#include "toolkit/sysutils.h"

namespace {

// A keystroke whose interval is longer than this (ms) was interrupted.
constexpr int32_t kLongestInterval = 180000;
// The interval of a keystroke line whose interval is no number: interrupted.
constexpr int32_t kUnreadableInterval = 99999999;
// How many lines go by between two calls of the caller's look.
constexpr int kLinesBetweenLooks = 64;

// A plain decimal the quick way; anything else as the run-time library reads it.
int32_t IntervalOf(std::string_view field) {
  int32_t value = 0;
  const auto [end, failure] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (failure == std::errc() && end == field.data() + field.size()) return value;
  return StrToIntDef(std::string(field), kUnreadableInterval);
}

// The first character of a field, raising the range error for an empty one.
unsigned char FirstCharacter(std::string_view field) {
  if (field.empty()) throw Exception("Range check error");
  return static_cast<unsigned char>(field[0]);
}

}  // namespace

TStatReplay::TStatReplay(TExerciseEvent onExercise) : OnExercise(std::move(onExercise)) {
  Statistic.KeepsLog = false;
  Statistic.Reset();
}

void TStatReplay::Line(std::string_view line) {
  if (line == "*") {
    Close();
    return;
  }
  const TPieces<4> fields = CutAt<4>(line, '\t');
  const int32_t interval = IntervalOf(fields.Piece[0]);
  const unsigned char expected = FirstCharacter(PieceOf(fields, 1));
  const unsigned char typed = FirstCharacter(PieceOf(fields, 2));
  const bool marked = fields.Count > 3 && fields.Piece[3] == "-";
  // A negative interval is no time that passed (only a broken or edited file has one): counted,
  // it would take the typing time it says back from every total.
  const bool interrupted = marked || interval > kLongestInterval || interval < 0;
  if (!interrupted) {
    Clock += static_cast<uint32_t>(interval);
    if (Clock == 0) {
      // Round the 32 bits to 0: move it and the last stamp on by one, which keeps every
      // difference.
      Clock = 1;
      Statistic.LastTime = static_cast<int32_t>(static_cast<uint32_t>(Statistic.LastTime) + 1);
    }
  }
  Statistic.AddKeystroke(static_cast<int32_t>(Clock), expected, typed, interrupted);
}

void TStatReplay::Close() {
  OnExercise(Statistic);
  Statistic.Reset();
}

void TStatReplay::ReplayRest(TStatLines& file, const std::function<void()>& nowAndThen) {
  std::string_view line;
  int sinceLook = 0;
  while (file.Next(line)) {
    if (nowAndThen && ++sinceLook == kLinesBetweenLooks) {
      sinceLook = 0;
      nowAndThen();
    }
    Line(line);
    // The closing "*" at the end makes one more.
    if (line == "*" && ++Exercises >= kMostExercises)
      file.Refuse("A run of more than " + std::to_string(kMostExercises) + " exercises");
  }
  Close();
}

bool ReplayRun(TStatLines& file, TExerciseEvent onExercise) {
  std::string_view first;
  if (!file.Next(first) || !BeginsARun(first)) return false;
  TStatReplay(std::move(onExercise)).ReplayRest(file);
  return true;
}
