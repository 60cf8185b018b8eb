#include "toolkit/gui/chartseries.h"

#include <qcustomplot.h>

#include <algorithm>

#include "toolkit/gui/chart.h"
#include "toolkit/gui/qtbridge.h"

namespace {

QVector<double> ToQVector(const std::vector<double>& values) {
  return QVector<double>(values.begin(), values.end());
}

}  // namespace

TChartSeries::TChartSeries(TComponent* Owner) : TComponent(Owner) {}

TChartSeries::~TChartSeries() { setParentChart(nullptr); }

void TChartSeries::setParentChart(TChart* chart) {
  if (chart == chart_) return;
  if (chart_) chart_->Detach(this);
  chart_ = chart;
  if (chart_) chart_->Attach(this);
}

void TChartSeries::Changed() {
  if (chart_) chart_->Changed();
}

void TChartSeries::setTitle(const std::string& title) {
  title_ = title;
  Changed();
}

void TChartSeries::setShowInLegend(bool show) {
  showInLegend_ = show;
  Changed();
}

void TChartSeries::setSeriesColor(TColor color) {
  color_ = color;
  Changed();
}

void TChartSeries::setXDateTime(bool dateTime) {
  xDateTime_ = dateTime;
  Changed();
}

void TChartSeries::setYMultiplier(double multiplier) {
  data_.setMultiplier(multiplier);
  Changed();
}

void TChartSeries::setMarksVisible(bool visible) {
  marksVisible_ = visible;
  Changed();
}

int TChartSeries::AddXY(double x, double y, TColor color) {
  const int index = data_.Add(x, y, color);
  Changed();
  return index;
}

void TChartSeries::Clear() {
  data_.Clear();
  Changed();
}

void TChartSeries::Draw(QCPAxis* x, QCPAxis* y) {
  for (const TChartLayer& layer : data_.Layers(Joined())) NewPlottable(x, y, layer);
  if (showInLegend_ && !title_.empty()) {
    QCPAbstractPlottable* sample = NewPlottable(x, y, {color_, {}, {}});
    sample->setName(ToQString(title_));
    sample->addToLegend();
  }
  if (!marksVisible_) return;
  QCustomPlot* plot = x->parentPlot();
  for (int i = 0; i < data_.Count(); ++i) {
    if (data_.IsNull(i)) continue;
    auto* mark = new QCPItemText(plot);
    mark->setClipAxisRect(x->axisRect());
    mark->position->setAxes(x, y);
    mark->position->setCoords(data_[i].X, data_.ShownY(i));
    mark->setPositionAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    mark->setText(QString::number(data_.ShownY(i)));
    mark->setColor(ToQColor(data_[i].Color));
  }
}

void TChartSeries::Publish(TPropList& properties) {
  TComponent::Publish(properties);
  properties.push_back(StringProperty(
      "Title", "String", [this] { return title_; },
      [this](const std::string& title) { setTitle(title); }));
}

void TPointSeries::setPointer(TPointerStyle style, int size) {
  style_ = style;
  size_ = size;
  Changed();
}

QCPAbstractPlottable* TPointSeries::NewPlottable(QCPAxis* x, QCPAxis* y,
                                                 const TChartLayer& layer) const {
  auto* graph = new QCPGraph(x, y);
  graph->setData(ToQVector(layer.X), ToQVector(layer.Y), true);
  graph->setLineStyle(QCPGraph::lsNone);
  const QColor color = ToQColor(layer.Color);
  graph->setPen(color);
  // The mark is drawn once and stamped at every point: thousands of shapes drawn one by one
  // cost most of a chart's drawing. The size is the distance from the centre to the edge.
  const int side = 2 * size_ + 1;
  QPixmap mark(side, side);
  mark.fill(Qt::transparent);
  QCPScatterStyle shape(style_ == psDiamond ? QCPScatterStyle::ssDiamond : QCPScatterStyle::ssDisc,
                        color, color, side - 1);
  QCPPainter painter(&mark);
  painter.setAntialiasing(true);
  shape.applyTo(&painter, color);
  shape.drawShape(&painter, side / 2.0, side / 2.0);
  painter.end();
  graph->setScatterStyle(QCPScatterStyle(mark));
  return graph;
}

void TLineSeries::setPenWidth(int width) {
  penWidth_ = width;
  Changed();
}

QCPGraph* TLineSeries::NewGraph(QCPAxis* x, QCPAxis* y, const TChartLayer& layer) const {
  auto* graph = new QCPGraph(x, y);
  graph->setData(ToQVector(layer.X), ToQVector(layer.Y), true);
  graph->setPen(QPen(ToQColor(layer.Color), penWidth_));
  return graph;
}

QCPAbstractPlottable* TLineSeries::NewPlottable(QCPAxis* x, QCPAxis* y,
                                                const TChartLayer& layer) const {
  return NewGraph(x, y, layer);
}

void TAreaSeries::setStairs(bool stairs, bool inverted) {
  stairs_ = stairs;
  inverted_ = inverted;
  Changed();
}

void TAreaSeries::setAreaLineColor(TColor color) {
  areaLine_ = color;
  Changed();
}

QCPAbstractPlottable* TAreaSeries::NewPlottable(QCPAxis* x, QCPAxis* y,
                                                const TChartLayer& layer) const {
  QCPGraph* graph = NewGraph(x, y, layer);
  if (stairs_) graph->setLineStyle(inverted_ ? QCPGraph::lsStepRight : QCPGraph::lsStepLeft);
  graph->setPen(ToQColor(areaLine_));
  graph->setBrush(ToQColor(layer.Color));
  return graph;
}

QCPAbstractPlottable* TBarSeries::NewPlottable(QCPAxis* x, QCPAxis* y,
                                               const TChartLayer& layer) const {
  auto* bars = new QCPBars(x, y);
  bars->setData(ToQVector(layer.X), ToQVector(layer.Y), true);
  // As wide as the bars' share of the axis allows, so that many bars stay apart.
  bars->setWidthType(QCPBars::wtAbsolute);
  const int share = x->parentPlot()->width() / std::max(1, Count());
  bars->setWidth(std::clamp(share * 2 / 3, 1, 12));
  const QColor color = ToQColor(layer.Color);
  bars->setPen(color);
  bars->setBrush(color);
  return bars;
}
