#include "toolkit/gui/chartaxis.h"

#include <qcustomplot.h>

#include <QWidget>

#include "toolkit/gui/chart.h"

namespace {

// Room left beyond the data at an automatic end, as a share of the range shown.
constexpr double kAutomaticMargin = 0.03;

}  // namespace

void TChartAxis::Changed() { chart_->Plot()->replot(QCustomPlot::rpQueuedReplot); }

void TChartAxis::setAutomatic(bool automatic) {
  automaticMinimum_ = automaticMaximum_ = automatic;
  Changed();
}

void TChartAxis::setAutomaticMinimum(bool automatic) {
  automaticMinimum_ = automatic;
  Changed();
}

void TChartAxis::setAutomaticMaximum(bool automatic) {
  automaticMaximum_ = automatic;
  Changed();
}

void TChartAxis::setMinimum(double minimum) {
  minimum_ = minimum;
  Changed();
}

void TChartAxis::setMaximum(double maximum) {
  maximum_ = maximum;
  Changed();
}

void TChartAxis::setLogarithmic(bool logarithmic) {
  logarithmic_ = logarithmic;
  // The ticker goes with the scale.
  chart_->Changed();
}

void TChartAxis::setState(const TState& state) {
  automaticMinimum_ = state.AutomaticMinimum;
  automaticMaximum_ = state.AutomaticMaximum;
  minimum_ = state.Minimum;
  maximum_ = state.Maximum;
  Changed();
}

double TChartAxis::Minimum() const {
  if (!automaticMinimum_) return minimum_;
  double min = 0, max = 1;
  if (!chart_->DataRange(axis_ == chart_->Plot()->xAxis, min, max)) return 0;
  const double top = automaticMaximum_ ? max : maximum_;
  return min - (top - min) * kAutomaticMargin;
}

double TChartAxis::Maximum() const {
  if (!automaticMaximum_) return maximum_;
  double min = 0, max = 1;
  if (!chart_->DataRange(axis_ == chart_->Plot()->xAxis, min, max)) return minimum_ + 1;
  const double bottom = automaticMinimum_ ? min : minimum_;
  return max == bottom ? bottom + 1 : max + (max - bottom) * kAutomaticMargin;
}
