#include "app/sessionstatus.h"

#include <cstdio>

#include "toolkit/sysutils.h"

namespace {

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

}  // namespace

TPlaceholders StatusPlaceholders(const TStatusValues& values) {
  const TDateTimeParts now = DecodeDateTime(values.Time);
  const TSessionTotals& totals = values.Totals;
  const std::string wpm =
      values.AverageWordLength > 0
          ? IntToStr(static_cast<int32_t>(totals.MaxProqCpm / values.AverageWordLength))
          : "-";
  return {
      {"USERNAME", values.UserName},
      {"HH", TwoDigits(now.Hour)},
      {"MM", TwoDigits(now.Minute)},
      {"SS", TwoDigits(now.Second)},
      {"TASKS_TIME", IntToStr(totals.TasksTime / 60000)},
      {"TASKS_COUNT", IntToStr(totals.TasksCount)},
      {"CHARS_COUNT", IntToStr(totals.CharsCount)},
      {"MAX_PROQ_CPM", IntToStr(totals.MaxProqCpm)},
      {"MAX_PROQ_WPM", wpm},
      {"METRONOME_TEMPO", values.MetronomeRunning ? IntToStr(values.MetronomeTempo) : "off"},
  };
}
