#pragma once
// A chart over QCustomPlot: a title (lines published as "TChartTitle" for the localization
// pass), a bottom and a left axis, a legend of the series marked for it, and the series shown
// on it, drawn in the order they were attached. Dragging the left button to the lower right
// zooms into the rectangle, to the upper left undoes the zoom; dragging the right button
// scrolls. Each raises its event. The chart draws its series but owns none (they are
// components of the window). User-interface thread only.

#include <memory>
#include <vector>

#include "toolkit/gui/chartaxis.h"
#include "toolkit/gui/wincontrol.h"

class QCustomPlot;
class QCPTextElement;
class QStandardItemModel;
class TChartSeries;
class TStrings;

class TChart : public TWinControl {
public:
  explicit TChart(TComponent* Owner);
  ~TChart() override;

  TStrings* Title() { return title_.get(); }
  TChartAxis* BottomAxis() { return bottomAxis_.get(); }
  TChartAxis* LeftAxis() { return leftAxis_.get(); }
  // Whether the legend is shown; one that lists no series is not drawn.
  bool LegendVisible() const { return legendVisible_; }
  void setLegendVisible(bool visible);
  // Whether the mouse zooms and scrolls (both on by default).
  void setAllowZoom(bool allow) { allowZoom_ = allow; }
  void setAllowPanning(bool allow) { allowPanning_ = allow; }

  int SeriesCount() const { return static_cast<int>(series_.size()); }
  TChartSeries* Series(int index) const { return series_.at(index); }

  // Zooms both axes into the rectangle (pixels of the chart), saving their state first.
  void ZoomRect(int left, int top, int right, int bottom);
  // Gives the axes back the state they had before the first zoom or scroll.
  void UndoZoom();
  // Moves the shown range of both axes by the pixels given, as a drag of the data would.
  void ScrollBy(int dx, int dy);
  bool Zoomed() const { return zoomed_; }

  // Draws now what changed.
  void Draw();

  QCustomPlot* Plot() const;

  TNotifyEvent OnZoom;
  TNotifyEvent OnUndoZoom;
  TNotifyEvent OnScroll;

protected:
  bool WidgetEvent(QEvent* event) override;
  void ColorChanged() override;
  void Publish(TPropList& properties) override;

private:
  friend class TChartAxis;
  friend class TChartSeries;
  void Attach(TChartSeries* series);
  void Detach(TChartSeries* series);
  // A series or an axis changed: draw again at the next turn of the message loop.
  void Changed();
  void Rebuild();
  void ApplyRange(TChartAxis* axis);
  bool DataRange(bool bottom, double& min, double& max) const;
  void SaveZoomState();
  void TitleChanged();

  std::unique_ptr<QStandardItemModel> titleModel_;
  std::unique_ptr<TStrings> title_;
  QCPTextElement* titleElement_ = nullptr;
  std::unique_ptr<TChartAxis> bottomAxis_, leftAxis_;
  std::vector<TChartSeries*> series_;
  bool dirty_ = true;
  bool legendVisible_ = false;
  bool allowZoom_ = true, allowPanning_ = true;
  bool zoomed_ = false;
  TChartAxis::TState savedBottom_{}, savedLeft_{};
  int pressX_ = 0, pressY_ = 0;
  bool panning_ = false;
  int panX_ = 0, panY_ = 0;
};
