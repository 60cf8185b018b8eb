#pragma once
// Dates and times as the run-time library keeps them: a day count from 1899-12-30 with the time
// of day as the fraction. Local time throughout.

#include <cstdint>
#include <string>

using TDateTime = double;

struct TDateTimeParts {
  int Year, Month, Day, Hour, Minute, Second, Millisecond;
};

TDateTime Now();
TDateTime EncodeDateTime(const TDateTimeParts& parts);
TDateTimeParts DecodeDateTime(TDateTime value);
// A calendar date (years 1 to 9999) and a time of day, checked: raise EConvertError
// "Invalid argument to date encode" / "Invalid argument to time encode" for parts that name
// no such date or time.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
// Seconds since 1970-01-01 00:00 UTC, taken as local time, and back.
TDateTime UnixToDateTime(int64_t seconds);
int64_t DateTimeToUnix(TDateTime value);
// A subset of the library's picture letters: yyyy (and yyy) yy mm dd hh nn ss zzz; anything else is
// kept.
std::string FormatDateTime(const std::string& format, TDateTime value);
