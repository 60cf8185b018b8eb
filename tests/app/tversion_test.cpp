#include "app/tversion.h"

#include <gtest/gtest.h>

#include "toolkit/exception.h"

namespace {

TVersion Release(uint16_t a, uint16_t b, uint16_t c, uint16_t d, std::string text = "") {
  return TVersion(nullptr, TVersionInfo{a, b, c, d, std::move(text)});
}

TEST(TVersion, ReleaseNamesFollowTheReleaseDate) {
  struct Case {
    const char* name;
    uint16_t year, month, day;
    std::string release;
  } cases[] = {
      {"February23", 2011, 2, 23, "2011, STRONG RELEASE"},
      {"February14", 2011, 2, 14, "2011, VALENTINE RELEASE"},
      {"OtherFebruaryDay", 2011, 2, 15, "2011, FEBRUARY RELEASE"},
      {"January", 2012, 1, 31, "2012, JANUARY RELEASE"},
      {"July", 2011, 7, 1, "2011, JULE RELEASE"},
      {"November", 2011, 11, 30, "2011, NOVEMBER RELEASE"},
      {"December", 2010, 12, 1, "HAPPY NEW YEAR 2011, CHRISTMAS RELEASE"},
      {"LeapDay", 2012, 2, 29, "2012, FEBRUARY RELEASE"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TVersion version = Release(c.year, c.month, c.day, 1);
    EXPECT_EQ(version.getReleaseName(), c.release);
    const TDateTimeParts date = DecodeDateTime(version.getReleaseDate());
    EXPECT_EQ(date.Year, c.year);
    EXPECT_EQ(date.Month, c.month);
    EXPECT_EQ(date.Day, c.day);
    EXPECT_EQ(date.Hour + date.Minute + date.Second + date.Millisecond, 0);
  }
}

TEST(TVersion, NumbersThatNameNoDateRaiseTheConversionError) {
  struct Case {
    const char* name;
    uint16_t year, month, day;
  } cases[] = {{"MonthZero", 1, 0, 0},      {"Month13", 2011, 13, 1},   {"DayZero", 2011, 2, 0},
               {"February30", 2011, 2, 30}, {"NoLeapDay", 2011, 2, 29}, {"YearZero", 0, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TVersion version = Release(c.year, c.month, c.day, 1);
    EXPECT_THROW(version.getReleaseDate(), EConvertError);
    EXPECT_THROW(version.getReleaseName(), EConvertError);
  }
}

TEST(TVersion, FileVersionTextOrTheFourNumbers) {
  EXPECT_EQ(Release(2011, 2, 23, 226).getFileVersion(), "2011.2.23.226");
  EXPECT_EQ(Release(2011, 2, 23, 226, "2.1 beta").getFileVersion(), "2.1 beta");
  TVersion version = Release(2011, 2, 23, 226);
  EXPECT_EQ(version.Format("Version: %VERSION%"), "Version: 2011.2.23.226");
  EXPECT_EQ(version.Format("%version% %USER.NAME%"), "%version% %USER.NAME%");
}

TEST(TVersion, TheProgramsOwnVersionNamesARelease) {
  // The start window shows the release name, so the version set in the build must be a date.
  TVersion version(nullptr);
  EXPECT_NO_THROW(version.getReleaseName());
  EXPECT_FALSE(version.getFileVersion().empty());
}

}  // namespace
