#include "toolkit/chartseriesdata.h"

#include <algorithm>
#include <cmath>
#include <limits>

int TChartSeriesData::Add(double x, double y, TColor color) {
  // Points mostly come in order: appending is the common case and costs no search.
  auto at = Points.end();
  if (!Points.empty() && x < Points.back().X)
    at = std::upper_bound(Points.begin(), Points.end(), x,
                          [](double value, const TChartPoint& point) { return value < point.X; });
  const auto added = Points.insert(at, {x, y, color});
  return static_cast<int>(added - Points.begin());
}

bool TChartSeriesData::XRange(TChartRange& range) const {
  if (Points.empty()) return false;
  range = {Points.front().X, Points.back().X};
  return true;
}

bool TChartSeriesData::FirstPositiveX(double& x) const {
  const auto first =
      std::upper_bound(Points.begin(), Points.end(), 0.0,
                       [](double value, const TChartPoint& point) { return value < point.X; });
  if (first == Points.end()) return false;
  x = first->X;
  return true;
}

bool TChartSeriesData::YRange(TChartRange& range) const {
  bool found = false;
  for (int i = 0; i < Count(); ++i) {
    if (IsNull(i)) continue;
    const double y = ShownY(i);
    range = found ? TChartRange{std::min(range.Min, y), std::max(range.Max, y)} : TChartRange{y, y};
    found = true;
  }
  return found;
}

std::vector<TChartLayer> TChartSeriesData::Layers(bool joined) const {
  std::vector<TChartLayer> layers;
  // The point each layer ended with, so that a segment going on from it continues the line.
  std::vector<int> lastPoint;
  auto layerOf = [&](TColor color) -> size_t {
    for (size_t i = 0; i < layers.size(); ++i)
      if (layers[i].Color == color) return i;
    layers.push_back({color, {}, {}});
    lastPoint.push_back(-1);
    return layers.size() - 1;
  };
  auto put = [&](size_t layer, int index) {
    layers[layer].X.push_back(Points[index].X);
    layers[layer].Y.push_back(ShownY(index));
    lastPoint[layer] = index;
  };
  for (int i = 0; i < Count(); ++i) {
    if (IsNull(i)) continue;
    if (!joined) {
      put(layerOf(Points[i].Color), i);
      continue;
    }
    if (i == 0 || IsNull(i - 1)) continue;
    const size_t layer = layerOf(Points[i].Color);
    if (lastPoint[layer] != i - 1) {
      if (lastPoint[layer] >= 0) {
        layers[layer].X.push_back(Points[i - 1].X);
        layers[layer].Y.push_back(std::numeric_limits<double>::quiet_NaN());
      }
      put(layer, i - 1);
    }
    put(layer, i);
  }
  return layers;
}
