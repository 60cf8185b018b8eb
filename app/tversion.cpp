#include "app/tversion.h"

#include <chrono>
#include <utility>

#include "foundation/troot.h"
#include "toolkit/exception.h"
#include "toolkit/sysutils.h"

namespace {

std::string MonthName(int month, int day) {
  static const char* const kNames[] = {"JANUARY",   "FEBRUARY", "MARCH",   "APRIL",
                                       "MAY",       "JUNE",     "JULE",    "AUGUST",
                                       "SEPTEMBER", "OCTOBER",  "NOVEMBER"};
  if (month == 2 && day == 14) return "VALENTINE";
  if (month == 2 && day == 23) return "STRONG";
  return kNames[month - 1];
}

}  // namespace

TVersion::TVersion(TRoot* owner, TVersionInfo info) : TLTObject(owner), Info(std::move(info)) {}

std::string TVersion::Format(const std::string& text) const {
  return ReplacePlaceholder(text, "VERSION", getFileVersion());
}

std::string TVersion::FileVersionOf(const TVersionInfo& info) {
  if (!info.FileVersion.empty()) return info.FileVersion;
  return IntToStr(info.Major) + "." + IntToStr(info.Minor) + "." + IntToStr(info.Release) + "." +
         IntToStr(info.Build);
}

std::string TVersion::getFileVersion() const { return FileVersionOf(Info); }

TDateTime TVersion::getReleaseDate() const {
  using namespace std::chrono;
  const year_month_day date{year(Info.Major), month(Info.Minor), day(Info.Release)};
  if (Info.Major < 1 || Info.Major > 9999 || !date.ok())
    throw EConvertError("Invalid argument to date encode");
  return EncodeDateTime({Info.Major, Info.Minor, Info.Release, 0, 0, 0, 0});
}

std::string TVersion::getReleaseName() const {
  const TDateTimeParts date = DecodeDateTime(getReleaseDate());
  if (date.Month == 12) return "HAPPY NEW YEAR " + IntToStr(date.Year + 1) + ", CHRISTMAS RELEASE";
  return IntToStr(date.Year) + ", " + MonthName(date.Month, date.Day) + " RELEASE";
}
