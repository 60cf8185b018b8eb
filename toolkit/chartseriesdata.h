#pragma once
// The points of one chart series, apart from any drawing: X kept ascending (a point whose X
// equals others goes after them), a colour per point, where clNone makes a null point (not
// drawn, and a line is broken at it), and the factor by which the Y values are shown. Cuts the
// points into one layer per colour for drawing. A value type; one thread at a time.

#include <vector>

#include "toolkit/colors.h"

struct TChartPoint {
  double X;
  double Y;
  TColor Color;
};

// The part of a series drawn in one colour, Y values as shown. In a joined layer (lines,
// stairs) consecutive points are joined, and a NaN Y breaks the line.
struct TChartLayer {
  TColor Color;
  std::vector<double> X;
  std::vector<double> Y;
};

struct TChartRange {
  double Min;
  double Max;
};

class TChartSeriesData {
public:
  // Answers the index the point took.
  int Add(double x, double y, TColor color);
  void Clear() { Points.clear(); }
  int Count() const { return static_cast<int>(Points.size()); }
  const TChartPoint& operator[](int index) const { return Points.at(index); }
  bool IsNull(int index) const { return Points.at(index).Color == clNone; }

  // Y values are stored as added and shown multiplied by this factor (1 unless set).
  void setMultiplier(double multiplier) { YMultiplier = multiplier; }
  double ShownY(int index) const { return Points.at(index).Y * YMultiplier; }

  // X of every point, null points included; false for no point.
  bool XRange(TChartRange& range) const;
  // The smallest X above 0, where a logarithmic axis may begin; false for none.
  bool FirstPositiveX(double& x) const;
  // Shown Y of the drawn points; false for none.
  bool YRange(TChartRange& range) const;

  // Loose layers (points, bars): each drawn point in the layer of its colour. Joined layers
  // (lines, stairs): each segment between two drawn neighbours in the layer of its end point's
  // colour, so a null point breaks the line. Layers come in the order their colours first
  // appear.
  std::vector<TChartLayer> Layers(bool joined) const;

private:
  std::vector<TChartPoint> Points;
  double YMultiplier = 1;
};
