#pragma once
// The statistics window of one user and one course. Lists the user's statistics files of the
// course, replays each keystroke by keystroke through a statistic of its own (never saved), and
// charts per exercise line the proficiency, tempo, stability and errors with their smoothed
// trends on two charts that share their X range; a hidden page holds the histogram of the
// keystroke intervals of one file. Owns its components; the user and the course are not its
// own and outlive it. User-interface thread only.

#include <cstdint>

#include "foundation/gui/tmultilangform.h"
#include "toolkit/datetime.h"

class TAction;
class TActionList;
class TAreaSeries;
class TBarSeries;
class TChart;
class TChartSeries;
class TCheckBox;
class TComboBox;
class TCourse;
class TEdit;
class TLabel;
class TLineSeries;
class TListBox;
class TPageControl;
class TPanel;
class TPointSeries;
class TProgressBar;
class TSpeedButton;
class TSplitter;
class TStatLines;
class TTabSheet;
class TUser;
class TWinControl;

class TUserStatisticForm final : public TMultilangForm {
public:
  // Range "Overall dynamics", X axis "Total time of study (min.)".
  TUserStatisticForm(TComponent* Owner, TUser* User, TCourse* Course);

  // The window description (resources/userstatisticform.cpp).
  TPageControl* pgCharts = nullptr;
  TTabSheet* tsProgress = nullptr;
  TPanel* pnProgressChardControl = nullptr;
  TLabel* lbRangeDisplayed = nullptr;
  TComboBox* cbRange = nullptr;
  TPanel* Bevel1 = nullptr;
  TLabel* lbXAxis = nullptr;
  TComboBox* cbAxisX = nullptr;
  TPanel* Bevel2 = nullptr;
  TCheckBox* cbAxisXLogarithmic = nullptr;
  TCheckBox* cbFactSeries = nullptr;
  TCheckBox* cbTradeSeries = nullptr;
  TPanel* pnSpacer = nullptr;
  TChart* Chart = nullptr;
  TSplitter* spSplitter = nullptr;
  TChart* Chart2 = nullptr;
  TTabSheet* tsSessionsList = nullptr;
  TListBox* lbFilesList = nullptr;
  TTabSheet* tsStability = nullptr;
  TChart* chDistortion = nullptr;
  TAreaSeries* srPeriodDistortion = nullptr;
  TLineSeries* Series1 = nullptr;
  TLineSeries* Series2 = nullptr;
  TPanel* pnDistortionControl = nullptr;
  TSpeedButton* bbRebuild = nullptr;
  TEdit* edFilter = nullptr;
  TCheckBox* cbLogarithmic = nullptr;
  TProgressBar* pgLoad = nullptr;
  TActionList* ActionList = nullptr;
  TAction* acLoadData = nullptr;
  TAction* acClose = nullptr;
  TAction* acShowSeries = nullptr;
  TAction* acHideSeries = nullptr;
  TPointSeries* srProQ = nullptr;
  TPointSeries* srTempo = nullptr;
  TLineSeries* srProQTrend = nullptr;
  TLineSeries* srTempoTrend = nullptr;
  TLineSeries* srSeparator = nullptr;
  TBarSeries* srErrorsClone = nullptr;
  TBarSeries* srErrors = nullptr;
  TPointSeries* srStability = nullptr;
  TLineSeries* srStabilityTrend = nullptr;
  TLineSeries* srErrorsTrend = nullptr;

  void FormCreate(TObject* Sender);
  // Lists the statistics files and draws both charts from them anew; refused while a load
  // runs in any statistics window. What stops it reaches the caller after the window was
  // made usable again.
  void acLoadDataExecute(TObject* Sender);
  // Replays the lines of a file after its first "*" into the ten series and moves the load's
  // typing-time total (ms) and keystroke total on, letting the window's messages through
  // every 20 ms. The totals are 64-bit: years of typing pass the 24 days that 32 bits of
  // milliseconds hold.
  void PlotSessionFile(TStatLines& File, int64_t& TotalTime, int64_t& TotalKeystrokes,
                       TDateTime FileDateTime);
  void acHideSeriesExecute(TObject* Sender);
  void acShowSeriesExecute(TObject* Sender);
  void cbFactSeriesClick(TObject* Sender);
  void cbTradeSeriesClick(TObject* Sender);
  void cbAxisXLogarithmicClick(TObject* Sender);
  void ChartZoom(TObject* Sender);
  void ChartUndoZoom(TObject* Sender);
  void ChartScroll(TObject* Sender);
  void acCloseExecute(TObject* Sender);
  // The histogram of the focused file's keystroke intervals with its normal curve.
  void bbRebuildClick(TObject* Sender);

private:
  void Describe();
  void LoadFiles();
  // Enables the panel again and gives the focus back to the control that had it.
  void FinishLoad(TWinControl* focused);
  // Lets the window's messages through; stops the load (raising a private signal that the
  // load takes) when they closed the window or asked the program to end.
  void LetMessagesThrough();
  // The X of a point for the X-axis choice; raises "766A655C/F" for another one.
  double AxisX(int64_t totalTime, int64_t totalKeystrokes, TDateTime dateTime) const;
  // The lower chart takes the upper chart's X range.
  void FollowChart();

  TUser* User;
  TCourse* Course;
  // One load at a time in all statistics windows.
  static bool Busy;
};

// The statistics window for the user and the course, built without an owner, run modally and
// freed on every way out (what the run raises passes on).
void ShowUserStatistic(TUser* User, TCourse* Course);
