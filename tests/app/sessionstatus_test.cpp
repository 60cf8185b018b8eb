#include "app/sessionstatus.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Value(const TPlaceholders& placeholders, const std::string& name) {
  for (const auto& [key, value] : placeholders)
    if (key == name) return value;
  return "<none>";
}

TEST(SessionStatus, SetsTheTenPlaceholdersInOrder) {
  TStatusValues values;
  values.UserName = "Anna";
  values.Time = EncodeDateTime({2026, 12, 10, 14, 5, 7, 0});
  const TPlaceholders placeholders = StatusPlaceholders(values);
  const char* names[] = {
      "USERNAME",    "HH",          "MM",           "SS",           "TASKS_TIME",
      "TASKS_COUNT", "CHARS_COUNT", "MAX_PROQ_CPM", "MAX_PROQ_WPM", "METRONOME_TEMPO"};
  ASSERT_EQ(placeholders.size(), std::size(names));
  for (size_t i = 0; i < placeholders.size(); ++i) EXPECT_EQ(placeholders[i].first, names[i]);
  EXPECT_EQ(Value(placeholders, "USERNAME"), "Anna");
  EXPECT_EQ(Value(placeholders, "HH"), "14");
  EXPECT_EQ(Value(placeholders, "MM"), "05");
  EXPECT_EQ(Value(placeholders, "SS"), "07");
}

TEST(SessionStatus, ValuesOfTheRunAndTheMetronome) {
  struct Case {
    const char* name;
    void (*set)(TStatusValues&);
    const char* placeholder;
    const char* text;
  } cases[] = {
      {"NineOClockHasTwoDigits",
       [](TStatusValues& v) {
         v.Time = EncodeDateTime({2026, 1, 1, 9, 0, 0, 0});
       },
       "HH", "09"},
      {"JustUnderAMinuteShowsNone", [](TStatusValues& v) { v.Totals.TasksTime = 59999; },
       "TASKS_TIME", "0"},
      {"AMinuteShowsOne", [](TStatusValues& v) { v.Totals.TasksTime = 60000; }, "TASKS_TIME", "1"},
      {"LinesCompleted", [](TStatusValues& v) { v.Totals.TasksCount = 3; }, "TASKS_COUNT", "3"},
      {"Keystrokes", [](TStatusValues& v) { v.Totals.CharsCount = 117; }, "CHARS_COUNT", "117"},
      {"BestSpeed", [](TStatusValues& v) { v.Totals.MaxProqCpm = 250; }, "MAX_PROQ_CPM", "250"},
      {"WordsPerMinuteTruncate",
       [](TStatusValues& v) {
         v.Totals.MaxProqCpm = 250;
         v.AverageWordLength = 6;
       },
       "MAX_PROQ_WPM", "41"},
      {"NoWordLengthNoWords",
       [](TStatusValues& v) {
         v.Totals.MaxProqCpm = 250;
         v.AverageWordLength = 0;
       },
       "MAX_PROQ_WPM", "-"},
      {"StoppedMetronomeIsOff", [](TStatusValues& v) { v.MetronomeTempo = 60; }, "METRONOME_TEMPO",
       "off"},
      {"RunningMetronomeShowsItsTempo",
       [](TStatusValues& v) {
         v.MetronomeRunning = true;
         v.MetronomeTempo = 60;
       },
       "METRONOME_TEMPO", "60"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TStatusValues values;
    c.set(values);
    EXPECT_EQ(Value(StatusPlaceholders(values), c.placeholder), c.text);
  }
}

}  // namespace
