#pragma once
// The series of a chart (chart.h): components with a published Title whose points
// (toolkit/chartseriesdata.h) are drawn on the chart they are attached to, a colour per point.
// A series detached from every chart keeps its points and draws nothing, so points are added
// cheaply while it is detached. Point, line, bar and area (stairs) series differ only in how a
// layer of one colour is drawn. User-interface thread only.

#include <string>

#include "toolkit/chartseriesdata.h"
#include "toolkit/gui/component.h"

class QCPAxis;
class QCPAbstractPlottable;
class QCPGraph;
class TChart;

class TChartSeries : public TComponent {
public:
  ~TChartSeries() override;

  TChart* ParentChart() const { return chart_; }
  // Detaches from the chart it is on and attaches to this one (none: detached), drawn above
  // the series attached before.
  void setParentChart(TChart* chart);

  const std::string& Title() const { return title_; }
  void setTitle(const std::string& title);
  bool ShowInLegend() const { return showInLegend_; }
  void setShowInLegend(bool show);
  TColor SeriesColor() const { return color_; }
  void setSeriesColor(TColor color);
  // Whether the X values are date-times (days), which the bottom axis then labels as such.
  bool XDateTime() const { return xDateTime_; }
  void setXDateTime(bool dateTime);
  // The factor by which the Y values are shown.
  void setYMultiplier(double multiplier);
  // Marks: the shown value written above every drawn point.
  void setMarksVisible(bool visible);

  // clNone adds a null point. Answers the index the point took.
  int AddXY(double x, double y, TColor color);
  void Clear();
  int Count() const { return data_.Count(); }
  const TChartSeriesData& Data() const { return data_; }

protected:
  explicit TChartSeries(TComponent* Owner);
  void Publish(TPropList& properties) override;
  void Changed();
  // Whether consecutive points of a layer are joined (lines, stairs).
  virtual bool Joined() const = 0;
  // Makes the plottable that draws one layer in its colour; the legend's sample is a layer of
  // the series colour without points.
  virtual QCPAbstractPlottable* NewPlottable(QCPAxis* x, QCPAxis* y,
                                             const TChartLayer& layer) const = 0;

private:
  friend class TChart;
  // Puts the series' plottables on its chart; the legend entry too when it has one.
  void Draw(QCPAxis* x, QCPAxis* y);

  TChart* chart_ = nullptr;
  TChartSeriesData data_;
  std::string title_;
  bool showInLegend_ = true;
  TColor color_ = clRed;
  bool xDateTime_ = false;
  bool marksVisible_ = false;
};

enum TPointerStyle { psCircle, psDiamond };

// Marks at the points, not joined.
class TPointSeries : public TChartSeries {
public:
  explicit TPointSeries(TComponent* Owner) : TChartSeries(Owner) {}
  void setPointer(TPointerStyle style, int size);

protected:
  bool Joined() const override { return false; }
  QCPAbstractPlottable* NewPlottable(QCPAxis* x, QCPAxis* y,
                                     const TChartLayer& layer) const override;

private:
  TPointerStyle style_ = psCircle;
  int size_ = 3;
};

// Straight lines between the points, no marks; or stairs (area series).
class TLineSeries : public TChartSeries {
public:
  explicit TLineSeries(TComponent* Owner) : TChartSeries(Owner) {}
  void setPenWidth(int width);

protected:
  bool Joined() const override { return true; }
  QCPAbstractPlottable* NewPlottable(QCPAxis* x, QCPAxis* y,
                                     const TChartLayer& layer) const override;
  // The graph of a layer before its style is applied.
  QCPGraph* NewGraph(QCPAxis* x, QCPAxis* y, const TChartLayer& layer) const;

private:
  int penWidth_ = 1;
};

// Bars standing on 0 at their X.
class TBarSeries : public TChartSeries {
public:
  explicit TBarSeries(TComponent* Owner) : TChartSeries(Owner) {}

protected:
  bool Joined() const override { return false; }
  QCPAbstractPlottable* NewPlottable(QCPAxis* x, QCPAxis* y,
                                     const TChartLayer& layer) const override;
};

// Stairs filled down to 0: each point's value held up to the next point, or with inverted
// stairs from the point before up to this one; the outline in the area-line colour.
class TAreaSeries : public TLineSeries {
public:
  explicit TAreaSeries(TComponent* Owner) : TLineSeries(Owner) {}
  void setStairs(bool stairs, bool inverted);
  void setAreaLineColor(TColor color);

protected:
  QCPAbstractPlottable* NewPlottable(QCPAxis* x, QCPAxis* y,
                                     const TChartLayer& layer) const override;

private:
  bool stairs_ = false, inverted_ = false;
  TColor areaLine_ = clBlack;
};
