// The window description of the statistics window.

#include "app/gui/tuserstatisticform.h"
#include "toolkit/codepage.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/chart.h"
#include "toolkit/gui/chartseries.h"
#include "toolkit/gui/checkbox.h"
#include "toolkit/gui/combobox.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/edit.h"
#include "toolkit/gui/label.h"
#include "toolkit/gui/listbox.h"
#include "toolkit/gui/pagecontrol.h"
#include "toolkit/gui/panel.h"
#include "toolkit/gui/progressbar.h"
#include "toolkit/gui/speedbutton.h"
#include "toolkit/gui/splitter.h"
#include "toolkit/gui/strings.h"

namespace {

// The charts of the progress page draw on black, so that their white, lime and yellow show.
constexpr TColor kChartBack = clBlack;

TChart* NewChart(TComponent* owner, TWinControl* parent, const std::string& name,
                 const std::string& title, TAlign align) {
  TChart* chart = NewControl<TChart>(owner, parent, name, 0, 0, 680, 184);
  chart->setAlign(align);
  chart->Title()->setText(title);
  chart->setColor(kChartBack);
  chart->setLegendVisible(true);
  return chart;
}

template <class T>
T* NewSeries(TComponent* owner, const std::string& name, const std::string& title, bool inLegend,
             TColor color) {
  T* series = NewComponent<T>(owner, name);
  series->setTitle(title);
  series->setShowInLegend(inLegend);
  series->setSeriesColor(color);
  return series;
}

}  // namespace

void TUserStatisticForm::Describe() {
  setName("UserStatisticForm");
  setCaption("UserStatisticForm");
  setClientWidth(688);
  setClientHeight(577);
  setPosition(poScreenCenter);
  OnCreate = [this](TObject* sender) { FormCreate(sender); };
  OnActivate = [this](TObject* sender) { acLoadDataExecute(sender); };

  pgLoad = NewControl<TProgressBar>(this, this, "pgLoad", 0, 561, 688, 16);
  pgLoad->setAlign(alBottom);
  pgLoad->setRange(0, 100);
  pgLoad->Hide();
  pgCharts = NewControl<TPageControl>(this, this, "pgCharts", 0, 0, 688, 561);
  pgCharts->setAlign(alClient);

  tsProgress = NewControl<TTabSheet>(this, pgCharts, "tsProgress", 0, 0, 680, 533);
  tsProgress->setCaption("Dynamics of study");
  pnProgressChardControl =
      NewControl<TPanel>(this, tsProgress, "pnProgressChardControl", 0, 0, 680, 57);
  pnProgressChardControl->setAlign(alTop);
  pnProgressChardControl->setBevelOuter(bvNone);
  lbRangeDisplayed =
      NewControl<TLabel>(this, pnProgressChardControl, "lbRangeDisplayed", 8, 6, 170, 15);
  lbRangeDisplayed->setCaption("Range displayed:");
  cbRange = NewControl<TComboBox>(this, pnProgressChardControl, "cbRange", 8, 24, 180, 23);
  cbRange->Items()->setText("Last/current session\r\nOverall dynamics");
  cbRange->OnChange = [this](TObject* sender) { acLoadDataExecute(sender); };
  Bevel1 = NewControl<TPanel>(this, pnProgressChardControl, "Bevel1", 198, 4, 2, 49);
  Bevel1->setBevelOuter(bvLowered);
  lbXAxis = NewControl<TLabel>(this, pnProgressChardControl, "lbXAxis", 210, 6, 190, 15);
  lbXAxis->setCaption("X-axis:");
  cbAxisX = NewControl<TComboBox>(this, pnProgressChardControl, "cbAxisX", 210, 24, 200, 23);
  cbAxisX->Items()->setText("Buttons pressed\r\nTotal time of study (min.)\r\nDate/time");
  cbAxisX->setItemIndex(0);
  cbAxisX->OnChange = [this](TObject* sender) { acLoadDataExecute(sender); };
  Bevel2 = NewControl<TPanel>(this, pnProgressChardControl, "Bevel2", 420, 4, 2, 49);
  Bevel2->setBevelOuter(bvLowered);
  cbAxisXLogarithmic =
      NewControl<TCheckBox>(this, pnProgressChardControl, "cbAxisXLogarithmic", 432, 2, 240, 17);
  cbAxisXLogarithmic->setCaption("Logarithmic scale");
  cbAxisXLogarithmic->OnClick = [this](TObject* sender) { cbAxisXLogarithmicClick(sender); };
  cbFactSeries =
      NewControl<TCheckBox>(this, pnProgressChardControl, "cbFactSeries", 432, 20, 240, 17);
  cbFactSeries->setCaption("Display actual values");
  cbFactSeries->setChecked(true);
  cbFactSeries->OnClick = [this](TObject* sender) { cbFactSeriesClick(sender); };
  cbTradeSeries =
      NewControl<TCheckBox>(this, pnProgressChardControl, "cbTradeSeries", 432, 38, 240, 17);
  cbTradeSeries->setCaption("Display trends");
  cbTradeSeries->setChecked(true);
  cbTradeSeries->OnClick = [this](TObject* sender) { cbTradeSeriesClick(sender); };
  pnSpacer = NewControl<TPanel>(this, tsProgress, "pnSpacer", 0, 57, 680, 3);
  pnSpacer->setAlign(alTop);
  pnSpacer->setBevelOuter(bvLowered);
  Chart2 = NewChart(this, tsProgress, "Chart2", "Stability (%) / Errors (% x 10)", alBottom);
  Chart2->setAllowZoom(false);
  Chart2->setAllowPanning(false);
  Chart2->LeftAxis()->setAutomatic(false);
  Chart2->LeftAxis()->setMinimum(0);
  Chart2->LeftAxis()->setMaximum(100);
  spSplitter = NewControl<TSplitter>(this, tsProgress, "spSplitter", 0, 346, 680, 3);
  spSplitter->setAlign(alBottom);
  Chart = NewChart(this, tsProgress, "Chart", "Proficiency (cpm) / Tempo (bppm)", alClient);
  Chart->LeftAxis()->setAutomaticMinimum(false);
  Chart->LeftAxis()->setMinimum(0);
  Chart->OnZoom = [this](TObject* sender) { ChartZoom(sender); };
  Chart->OnUndoZoom = [this](TObject* sender) { ChartUndoZoom(sender); };
  Chart->OnScroll = [this](TObject* sender) { ChartScroll(sender); };

  tsSessionsList = NewControl<TTabSheet>(this, pgCharts, "tsSessionsList", 0, 0, 680, 533);
  tsSessionsList->setCaption("Data");
  lbFilesList = NewControl<TListBox>(this, tsSessionsList, "lbFilesList", 0, 0, 680, 533);
  lbFilesList->setAlign(alClient);
  lbFilesList->setSorted(true);
  lbFilesList->setMultiSelect(true);

  tsStability = NewControl<TTabSheet>(this, pgCharts, "tsStability", 0, 0, 680, 533);
  tsStability->setCaption(FromUtf8("Анализ ритмичности"));
  tsStability->setTabVisible(false);
  pnDistortionControl =
      NewControl<TPanel>(this, tsStability, "pnDistortionControl", 0, 462, 680, 71);
  pnDistortionControl->setAlign(alBottom);
  bbRebuild = NewControl<TSpeedButton>(this, pnDistortionControl, "bbRebuild", 8, 8, 100, 25);
  bbRebuild->setCaption("Rebuild");
  bbRebuild->OnClick = [this](TObject* sender) { bbRebuildClick(sender); };
  edFilter = NewControl<TEdit>(this, pnDistortionControl, "edFilter", 120, 10, 30, 21);
  edFilter->setMaxLength(1);
  cbLogarithmic =
      NewControl<TCheckBox>(this, pnDistortionControl, "cbLogarithmic", 164, 12, 240, 17);
  cbLogarithmic->setCaption("Logarithmic scale");
  chDistortion = NewChart(this, tsStability, "chDistortion",
                          FromUtf8("Разброс периодов между нажатиями в текущей сессии"), alClient);
  chDistortion->setColor(clWhite);
  chDistortion->setLegendVisible(false);
  for (TChartAxis* axis : {chDistortion->BottomAxis(), chDistortion->LeftAxis()}) {
    axis->setAutomaticMinimum(false);
    axis->setMinimum(0);
  }
  srPeriodDistortion =
      NewSeries<TAreaSeries>(this, "srPeriodDistortion", "Distortion", false, clBlue);
  srPeriodDistortion->setStairs(true, true);
  srPeriodDistortion->setAreaLineColor(0xA00000);
  srPeriodDistortion->setParentChart(chDistortion);
  Series1 = NewSeries<TLineSeries>(this, "Series1", "", false, clRed);
  Series1->setParentChart(chDistortion);
  Series2 = NewSeries<TLineSeries>(this, "Series2", "", false, clGreen);
  Series2->setParentChart(chDistortion);

  pgCharts->setActivePage(tsProgress);

  ActionList = NewComponent<TActionList>(this, "ActionList");
  acLoadData = NewComponent<TAction>(this, "acLoadData");
  acLoadData->OnExecute = [this](TObject* sender) { acLoadDataExecute(sender); };
  acClose = NewComponent<TAction>(this, "acClose");
  acClose->setCaption("Close");
  acClose->setShortCut(27);
  acClose->OnExecute = [this](TObject* sender) { acCloseExecute(sender); };
  acShowSeries = NewComponent<TAction>(this, "acShowSeries");
  acShowSeries->OnExecute = [this](TObject* sender) { acShowSeriesExecute(sender); };
  acHideSeries = NewComponent<TAction>(this, "acHideSeries");
  acHideSeries->OnExecute = [this](TObject* sender) { acHideSeriesExecute(sender); };

  srProQ = NewSeries<TPointSeries>(this, "srProQ", "Proficiency", true, clWhite);
  srProQ->setPointer(psCircle, 3);
  srTempo = NewSeries<TPointSeries>(this, "srTempo", "Tempo", true, clLime);
  srTempo->setPointer(psCircle, 3);
  srProQTrend =
      NewSeries<TLineSeries>(this, "srProQTrend", FromUtf8("Трейд мастерства"), false, clWhite);
  srProQTrend->setPenWidth(2);
  srTempoTrend =
      NewSeries<TLineSeries>(this, "srTempoTrend", FromUtf8("Трейд тема"), false, clLime);
  srTempoTrend->setPenWidth(2);
  srSeparator = NewSeries<TLineSeries>(this, "srSeparator", "Sessions separator", false, clBlue);
  srErrorsClone = NewSeries<TBarSeries>(this, "srErrorsClone", "", false, clNone);
  srErrorsClone->setMarksVisible(true);
  srErrors = NewSeries<TBarSeries>(this, "srErrors", "Errors", true, clRed);
  srErrors->setYMultiplier(10);
  srStability = NewSeries<TPointSeries>(this, "srStability", "Stability", true, clYellow);
  srStability->setPointer(psDiamond, 3);
  srStabilityTrend = NewSeries<TLineSeries>(this, "srStabilityTrend", "", false, 0x8CFFFF);
  srStabilityTrend->setPenWidth(2);
  srErrorsTrend = NewSeries<TLineSeries>(this, "srErrorsTrend", "", false, 0x6A6AFF);
  srErrorsTrend->setPenWidth(2);
  srErrorsTrend->setYMultiplier(10);
}
