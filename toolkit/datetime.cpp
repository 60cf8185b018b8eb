#include "toolkit/datetime.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string_view>

#include "toolkit/exception.h"

namespace {

// Days from 1899-12-30 to 1970-01-01.
constexpr double kUnixEpochDays = 25569.0;

// Proleptic Gregorian day number of a date, counted from 1970-01-01.
int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

// The local date and time of a moment in whole seconds, with the milliseconds given.
TDateTime LocalDateTime(std::time_t seconds, int milliseconds) {
  std::tm local{};
  localtime_r(&seconds, &local);
  return EncodeDateTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                         local.tm_min, local.tm_sec, milliseconds});
}

}  // namespace

TDateTime EncodeDateTime(const TDateTimeParts& p) {
  double days = static_cast<double>(DaysFromCivil(p.Year, p.Month, p.Day)) + kUnixEpochDays;
  double ms = ((p.Hour * 60.0 + p.Minute) * 60.0 + p.Second) * 1000.0 + p.Millisecond;
  return days + ms / 86400000.0;
}

TDateTime EncodeDate(int year, int month, int day) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > kDays[month - 1] + (month == 2 && leap))
    throw EConvertError("Invalid argument to date encode");
  return EncodeDateTime({year, month, day, 0, 0, 0, 0});
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999)
    throw EConvertError("Invalid argument to time encode");
  return ((hour * 60.0 + minute) * 60.0 + second + millisecond / 1000.0) / 86400.0;
}

TDateTimeParts DecodeDateTime(TDateTime value) {
  double whole = std::floor(value);
  // Round to the millisecond first, so 0.5 ms below midnight does not show as 23:59:59.999+.
  int64_t ms = std::llround((value - whole) * 86400000.0);
  int64_t day = static_cast<int64_t>(whole) - static_cast<int64_t>(kUnixEpochDays);
  if (ms >= 86400000) {
    ms -= 86400000;
    ++day;
  }
  TDateTimeParts p{};
  CivilFromDays(day, p.Year, p.Month, p.Day);
  p.Millisecond = static_cast<int>(ms % 1000);
  p.Second = static_cast<int>(ms / 1000 % 60);
  p.Minute = static_cast<int>(ms / 60000 % 60);
  p.Hour = static_cast<int>(ms / 3600000);
  return p;
}

TDateTime UnixToDateTime(int64_t seconds) {
  return LocalDateTime(static_cast<std::time_t>(seconds), 0);
}

int64_t DateTimeToUnix(TDateTime value) {
  TDateTimeParts p = DecodeDateTime(value);
  std::tm local{};
  local.tm_year = p.Year - 1900;
  local.tm_mon = p.Month - 1;
  local.tm_mday = p.Day;
  local.tm_hour = p.Hour;
  local.tm_min = p.Minute;
  local.tm_sec = p.Second;
  local.tm_isdst = -1;
  return static_cast<int64_t>(std::mktime(&local));
}

TDateTime Now() {
  auto now = std::chrono::system_clock::now();
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  return LocalDateTime(static_cast<std::time_t>(ms / 1000), static_cast<int>(ms % 1000));
}

std::string FormatDateTime(const std::string& format, TDateTime value) {
  TDateTimeParts p = DecodeDateTime(value);
  struct Token {
    std::string_view letters;
    int value;
    int width;
  };
  const Token tokens[] = {{"yyyy", p.Year, 4}, {"yyy", p.Year, 4},  {"yy", p.Year % 100, 2},
                          {"mm", p.Month, 2},  {"dd", p.Day, 2},    {"hh", p.Hour, 2},
                          {"nn", p.Minute, 2}, {"ss", p.Second, 2}, {"zzz", p.Millisecond, 3}};
  std::string result;
  for (size_t i = 0; i < format.size();) {
    bool matched = false;
    for (const Token& token : tokens) {
      if (format.compare(i, token.letters.size(), token.letters) == 0) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%0*d", token.width, token.value);
        result += buffer;
        i += token.letters.size();
        matched = true;
        break;
      }
    }
    if (!matched) result += format[i++];
  }
  return result;
}
