#include "toolkit/datetime.h"

#include <gtest/gtest.h>

#include "toolkit/exception.h"

namespace {

TEST(DateTime, DayCountsFromTheLibraryEpoch) {
  EXPECT_DOUBLE_EQ(EncodeDateTime({1899, 12, 30, 0, 0, 0, 0}), 0.0);
  EXPECT_DOUBLE_EQ(EncodeDateTime({1900, 1, 1, 12, 0, 0, 0}), 2.5);
  EXPECT_DOUBLE_EQ(EncodeDateTime({2000, 1, 1, 0, 0, 0, 0}), 36526.0);
}

TEST(DateTime, CheckedDateAndTimeRefuseWhatNamesNoMoment) {
  EXPECT_DOUBLE_EQ(EncodeDate(2010, 5, 17) + EncodeTime(14, 3, 59, 0),
                   EncodeDateTime({2010, 5, 17, 14, 3, 59, 0}));
  EXPECT_NO_THROW(EncodeDate(2012, 2, 29));
  EXPECT_NO_THROW(EncodeTime(23, 59, 59, 999));
  const int dates[][3] = {{2011, 2, 29}, {1900, 2, 29}, {2010, 13, 1}, {2010, 4, 31},
                          {2010, 1, 0},  {0, 1, 1},     {10000, 1, 1}};
  for (const auto& d : dates) {
    SCOPED_TRACE(testing::Message() << d[0] << "-" << d[1] << "-" << d[2]);
    EXPECT_THROW(EncodeDate(d[0], d[1], d[2]), EConvertError);
  }
  const int times[][4] = {
      {24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
  for (const auto& t : times) {
    SCOPED_TRACE(testing::Message() << t[0] << ":" << t[1] << ":" << t[2] << "." << t[3]);
    EXPECT_THROW(EncodeTime(t[0], t[1], t[2], t[3]), EConvertError);
  }
}

TEST(DateTime, DecodeRoundTrips) {
  TDateTimeParts p = DecodeDateTime(EncodeDateTime({2026, 12, 10, 23, 59, 58, 999}));
  EXPECT_EQ(p.Year, 2026);
  EXPECT_EQ(p.Month, 12);
  EXPECT_EQ(p.Day, 10);
  EXPECT_EQ(p.Hour, 23);
  EXPECT_EQ(p.Minute, 59);
  EXPECT_EQ(p.Second, 58);
  EXPECT_EQ(p.Millisecond, 999);
}

TEST(DateTime, FormatPictures) {
  TDateTime t = EncodeDateTime({2024, 3, 5, 7, 8, 9, 10});
  EXPECT_EQ(FormatDateTime("yyy-mm-dd-hh-nn-ss", t), "2024-03-05-07-08-09");
  EXPECT_EQ(FormatDateTime("yy/mm zzz", t), "24/03 010");
}

TEST(DateTime, UnixSecondsRoundTrip) {
  EXPECT_EQ(DateTimeToUnix(UnixToDateTime(1700000000)), 1700000000);
}

}  // namespace
