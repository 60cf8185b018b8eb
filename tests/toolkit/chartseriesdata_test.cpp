#include "toolkit/chartseriesdata.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct Added {
  double X, Y;
  TColor Color;
};

TChartSeriesData SeriesOf(const std::vector<Added>& points) {
  TChartSeriesData series;
  for (const Added& p : points) series.Add(p.X, p.Y, p.Color);
  return series;
}

// A layer as "x:y" pairs, NaN written as "-", to compare whole layers at a glance.
std::string Describe(const TChartLayer& layer) {
  std::string text;
  for (size_t i = 0; i < layer.X.size(); ++i) {
    if (i) text += " ";
    text += std::to_string(static_cast<int>(layer.X[i])) + ":" +
            (std::isnan(layer.Y[i]) ? "-" : std::to_string(static_cast<int>(layer.Y[i])));
  }
  return text;
}

TEST(ChartSeriesData, KeepsXAscendingWithEqualValuesAfterTheOnesThere) {
  TChartSeriesData series;
  EXPECT_EQ(series.Add(5, 1, clRed), 0);
  EXPECT_EQ(series.Add(7, 2, clRed), 1);
  EXPECT_EQ(series.Add(5, 3, clRed), 1);
  EXPECT_EQ(series.Add(1, 4, clRed), 0);
  EXPECT_EQ(series.Add(5, 5, clNone), 3);
  const double ys[] = {4, 1, 3, 5, 2};
  ASSERT_EQ(series.Count(), 5);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(series[i].Y, ys[i]);
    if (i) {
      EXPECT_LE(series[i - 1].X, series[i].X);
    }
  }
  EXPECT_TRUE(series.IsNull(3));
  EXPECT_FALSE(series.IsNull(2));
}

TEST(ChartSeriesData, RangesTakeXOfEveryPointAndShownYOfTheDrawnOnes) {
  TChartSeriesData series = SeriesOf({{2, 100, clNone}, {3, 1, clRed}, {9, 4, clRed}});
  series.setMultiplier(10);
  TChartRange x{}, y{};
  ASSERT_TRUE(series.XRange(x));
  EXPECT_EQ(x.Min, 2);
  EXPECT_EQ(x.Max, 9);
  ASSERT_TRUE(series.YRange(y));
  EXPECT_EQ(y.Min, 10);
  EXPECT_EQ(y.Max, 40);
  EXPECT_EQ(series[1].Y, 1) << "the stored value stays as added";

  double first = 0;
  ASSERT_TRUE(series.FirstPositiveX(first));
  EXPECT_EQ(first, 2);
  EXPECT_FALSE(SeriesOf({{-1, 1, clRed}, {0, 1, clRed}}).FirstPositiveX(first));

  TChartSeriesData nulls = SeriesOf({{1, 5, clNone}});
  EXPECT_TRUE(nulls.XRange(x));
  EXPECT_FALSE(nulls.YRange(y));
  EXPECT_FALSE(TChartSeriesData().XRange(x));
}

TEST(ChartSeriesData, LayersCutThePointsByColour) {
  struct Case {
    const char* name;
    std::vector<Added> points;
    bool joined;
    std::vector<std::pair<TColor, std::string>> layers;
  };
  const Case cases[] = {
      {"points: one layer per colour, nulls left out",
       {{1, 1, clRed}, {2, 2, clLime}, {3, 3, clNone}, {4, 4, clRed}},
       false,
       {{clRed, "1:1 4:4"}, {clLime, "2:2"}}},
      {"a line of one colour",
       {{1, 1, clRed}, {2, 2, clRed}, {3, 3, clRed}},
       true,
       {{clRed, "1:1 2:2 3:3"}}},
      {"a null point breaks the line",
       {{1, 1, clRed}, {2, 2, clRed}, {3, 0, clNone}, {4, 4, clRed}, {5, 5, clRed}},
       true,
       {{clRed, "1:1 2:2 4:- 4:4 5:5"}}},
      {"a segment takes its end point's colour",
       {{1, 1, clRed}, {2, 2, clLime}, {3, 3, clLime}, {4, 4, clRed}},
       true,
       {{clLime, "1:1 2:2 3:3"}, {clRed, "3:3 4:4"}}},
      {"a point alone between nulls draws no line",
       {{1, 0, clNone}, {2, 2, clRed}, {3, 0, clNone}},
       true,
       {}},
      {"the separator's stroke: from the top down, cut off from the stroke before",
       {{1, 0, clNone},
        {1, 50, clNavy},
        {1, 0, clNavy},
        {8, 0, clNone},
        {8, 60, clNavy},
        {8, 0, clNavy}},
       true,
       {{clNavy, "1:50 1:0 8:- 8:60 8:0"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<TChartLayer> layers = SeriesOf(c.points).Layers(c.joined);
    ASSERT_EQ(layers.size(), c.layers.size());
    for (size_t i = 0; i < layers.size(); ++i) {
      EXPECT_EQ(layers[i].Color, c.layers[i].first);
      EXPECT_EQ(Describe(layers[i]), c.layers[i].second);
    }
  }
}

TEST(ChartSeriesData, LayersShowYMultiplied) {
  TChartSeriesData series = SeriesOf({{1, 1, clRed}, {2, 10, clRed}});
  series.setMultiplier(10);
  const std::vector<TChartLayer> layers = series.Layers(false);
  ASSERT_EQ(layers.size(), 1u);
  EXPECT_EQ(Describe(layers[0]), "1:10 2:100");
}

}  // namespace
