#pragma once
// One axis of a chart (chart.h): an automatic or fixed minimum and maximum, a logarithmic flag,
// and the range the chart draws. Automatic ends follow the data of the series shown on the
// chart. Owned by its chart; user-interface thread only.

class QCPAxis;
class TChart;

class TChartAxis {
public:
  TChartAxis(TChart* chart, QCPAxis* axis) : chart_(chart), axis_(axis) {}
  TChartAxis(const TChartAxis&) = delete;
  TChartAxis& operator=(const TChartAxis&) = delete;

  bool Automatic() const { return automaticMinimum_ && automaticMaximum_; }
  void setAutomatic(bool automatic);
  bool AutomaticMinimum() const { return automaticMinimum_; }
  void setAutomaticMinimum(bool automatic);
  bool AutomaticMaximum() const { return automaticMaximum_; }
  void setAutomaticMaximum(bool automatic);
  // The range drawn: an automatic end as the data gives it now, a fixed one as set.
  double Minimum() const;
  double Maximum() const;
  // The fixed ends, used while the end is not automatic.
  void setMinimum(double minimum);
  void setMaximum(double maximum);
  bool Logarithmic() const { return logarithmic_; }
  void setLogarithmic(bool logarithmic);

  QCPAxis* Handle() const { return axis_; }

private:
  friend class TChart;
  struct TState {
    bool AutomaticMinimum, AutomaticMaximum;
    double Minimum, Maximum;
  };
  TState State() const { return {automaticMinimum_, automaticMaximum_, minimum_, maximum_}; }
  void setState(const TState& state);
  void Changed();

  TChart* chart_;
  QCPAxis* axis_;
  bool automaticMinimum_ = true, automaticMaximum_ = true;
  double minimum_ = 0, maximum_ = 0;
  bool logarithmic_ = false;
};
