#include "engine/tmathstatistic.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(TMathStatistic, MeanAndPopulationDeviation) {
  TMathStatistic math;
  EXPECT_EQ(math.getCount(), 0);
  for (double value : {100.0, 300.0}) math.Add(value);
  EXPECT_EQ(math.getCount(), 2);
  EXPECT_EQ(math.getSum(), 400);
  EXPECT_EQ(math.getMean(), 200);
  EXPECT_EQ(math.getStdDev(), 100);
  math.Reset();
  EXPECT_EQ(math.getCount(), 0);
  EXPECT_EQ(math.getSum(), 0);
}

TEST(TMathStatistic, NoValuesAndRoundingGiveZeroNeverANumberThatIsNone) {
  TMathStatistic empty;
  EXPECT_EQ(empty.getMean(), 0);
  EXPECT_EQ(empty.getStdDev(), 0);
  // Equal values whose sums round so that the variance comes out just below 0.
  TMathStatistic logs;
  for (int i = 0; i < 5; ++i) logs.Add(std::log(3.0));
  EXPECT_EQ(logs.getStdDev(), 0);
}

TEST(TMathStatistic, LargeCountsDoNotOverflow) {
  TMathStatistic math;
  for (int i = 0; i < 70000; ++i) math.Add(i % 2 ? 1.0 : 3.0);
  EXPECT_DOUBLE_EQ(math.getMean(), 2);
  EXPECT_DOUBLE_EQ(math.getStdDev(), 1);
}

}  // namespace
