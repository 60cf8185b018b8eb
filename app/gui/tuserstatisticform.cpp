#include "app/gui/tuserstatisticform.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <string_view>

#include "engine/tcourse.h"
#include "engine/tmathstatistic.h"
#include "engine/tstatfields.h"
#include "engine/tstatlines.h"
#include "engine/tstatreplay.h"
#include "engine/ttaskstatistic.h"
#include "foundation/filetools.h"
#include "foundation/tcolorlib.h"
#include "platform/filesystem.h"
#include "platform/gui/windowlock.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/application.h"
#include "toolkit/gui/chart.h"
#include "toolkit/gui/chartseries.h"
#include "toolkit/gui/checkbox.h"
#include "toolkit/gui/combobox.h"
#include "toolkit/gui/edit.h"
#include "toolkit/gui/listbox.h"
#include "toolkit/gui/panel.h"
#include "toolkit/gui/progressbar.h"
#include "toolkit/gui/strings.h"
#include "toolkit/stringlist.h"
#include "toolkit/sysutils.h"
#include "users/tuser.h"

namespace {

// How often a load lets the window's messages through inside a file, besides before each file.
constexpr auto kMessageInterval = std::chrono::milliseconds(20);

// Raised inside a load when the window closes or the program is asked to end: the load stops
// there, and nothing is reported.
struct TLoadStopped {};

// The start of a run from its file name "yyyy-mm-dd-hh-nn-ss.stat", checked.
TDateTime FileDateTime(const std::string& path) {
  const std::string name = std::filesystem::path(path).stem().string();
  const TPieces<6> pieces = CutAt<6>(name, '-');
  int parts[6];
  for (size_t i = 0; i < 6; ++i) parts[i] = StrToInt(std::string(PieceOf(pieces, i)));
  return EncodeDate(parts[0], parts[1], parts[2]) + EncodeTime(parts[3], parts[4], parts[5], 0);
}

// The next trend value; the first exercise of a file starts the trend at its own value.
double Smoothed(double trend, double value, bool first) {
  constexpr double alpha = 0.2;
  if (first) trend = value;
  return value * alpha + (1 - alpha) * trend;
}

}  // namespace

bool TUserStatisticForm::Busy = false;

TUserStatisticForm::TUserStatisticForm(TComponent* Owner, TUser* User, TCourse* Course)
    : TMultilangForm(Owner), User(User), Course(Course) {
  Describe();
  Construct(User);
  cbRange->setItemIndex(1);
  cbAxisX->setItemIndex(1);
}

void TUserStatisticForm::FormCreate(TObject*) {
  setCaption(User->getName() + ": " + Course->getName());
}

void TUserStatisticForm::acLoadDataExecute(TObject*) {
  if (Busy) return;
  Busy = true;
  // The box whose change asked for the load keeps the focus it loses while the panel is off,
  // so that the next key goes on from it.
  TWinControl* focused = nullptr;
  for (int i = 0; i < pnProgressChardControl->ControlCount(); ++i)
    if (auto* control = dynamic_cast<TWinControl*>(pnProgressChardControl->Controls(i));
        control && control->Focused())
      focused = control;
  pnProgressChardControl->setEnabled(false);
  acLoadData->setEnabled(false);
  try {
    LoadFiles();
  } catch (const TLoadStopped&) {
  } catch (...) {
    FinishLoad(focused);
    throw;
  }
  FinishLoad(focused);
}

void TUserStatisticForm::LetMessagesThrough() {
  Application->ProcessMessages();
  if (Application->Terminated() || ModalResult() != mrNone) throw TLoadStopped();
}

void TUserStatisticForm::LoadFiles() {
  TStringList files;
  FindFiles(User->getStatisticFolder(Course->getName()), "*.stat", false, files);
  TStrings* list = lbFilesList->Items();
  list->Clear();
  // A FIFO, a link that leads nowhere or a device named like a statistics file is none.
  for (const std::string& file : files)
    if (FileSystem().Status(file).Kind == TFileKind::Regular) list->Add(file);

  const int choice = cbAxisX->ItemIndex();
  TChartSeries* const all[] = {srProQ,           srTempo,      srProQTrend,   srTempoTrend,
                               srSeparator,      srErrors,     srErrorsClone, srStability,
                               srStabilityTrend, srErrorsTrend};
  for (TChartSeries* series : all) {
    series->Clear();
    series->setXDateTime(choice == 2);
  }
  acHideSeries->Execute();
  // A zoom or a scroll was made on the points of the load before, perhaps by another axis.
  Chart->UndoZoom();
  if (choice == 2) {
    Chart->BottomAxis()->setAutomaticMinimum(true);
    Chart2->BottomAxis()->setAutomaticMinimum(true);
    cbAxisXLogarithmic->setEnabled(false);
    cbAxisXLogarithmic->setChecked(false);
  } else {
    for (TChart* chart : {Chart, Chart2}) {
      chart->BottomAxis()->setAutomaticMinimum(false);
      chart->BottomAxis()->setMinimum(0);
    }
    cbAxisXLogarithmic->setEnabled(true);
    cbAxisXLogarithmic->setChecked(Chart->BottomAxis()->Logarithmic());
  }

  int64_t totalTime = 0, totalKeystrokes = 0;
  const int count = list->Count();
  const int last = count - 1;
  const int first = cbRange->ItemIndex() == 0 ? last : 0;
  pgLoad->setPosition(0);
  pgLoad->Show();
  for (int i = first; i <= last; ++i) {
    if (list->Count() == 0) break;
    pgLoad->setPosition(i * 100 / count);
    LetMessagesThrough();
    const std::string path = list->Strings(i);
    TStatLines file(path);
    std::string_view line;
    if (!file.Next(line)) continue;
    const TDateTime started = FileDateTime(path);
    if (BeginsARun(line)) PlotSessionFile(file, totalTime, totalKeystrokes, started);
  }
}

void TUserStatisticForm::FinishLoad(TWinControl* focused) {
  pgLoad->setPosition(100);
  pgLoad->Hide();
  acShowSeries->Execute();
  acLoadData->setEnabled(true);
  pnProgressChardControl->setEnabled(true);
  if (focused && ModalResult() == mrNone) focused->SetFocus();
  Busy = false;
}

double TUserStatisticForm::AxisX(int64_t totalTime, int64_t totalKeystrokes,
                                 TDateTime dateTime) const {
  switch (cbAxisX->ItemIndex()) {
    case 0: return static_cast<double>(totalKeystrokes);
    case 1: return totalTime / 60000.0;
    case 2: return dateTime;
    default: throw Exception("766A655C/F No such X axis");
  }
}

void TUserStatisticForm::PlotSessionFile(TStatLines& File, int64_t& TotalTime,
                                         int64_t& TotalKeystrokes, TDateTime FileDateTime) {
  bool first = true;
  int32_t previousErrors = 0;
  double proficiencyTrend = 0, tempoTrend = 0, stabilityTrend = 0, errorsTrend = 0;
  double x = AxisX(TotalTime, TotalKeystrokes, FileDateTime);
  // No trend line joins two files.
  for (TChartSeries* trend : {srProQTrend, srTempoTrend, srStabilityTrend, srErrorsTrend})
    trend->AddXY(x, 0, clNone);
  TStatReplay replay([&](const TTaskStatistic& statistic) {
    const int32_t tempo = statistic.getCurrentSpeed();
    const int32_t stability = static_cast<int32_t>(statistic.getRhythm() * 100);
    const int32_t errors = statistic.getErrorCount();
    const int32_t proficiency = statistic.getSpeed();
    TotalKeystrokes += statistic.getKeystrokes();
    TotalTime += statistic.getTotalTime();
    FileDateTime += statistic.getTotalTime() * 0.001 / 60 / 60 / 24;
    x = AxisX(TotalTime, TotalKeystrokes, FileDateTime);
    if (first) {
      srSeparator->AddXY(x, 0, clNone);
      srSeparator->AddXY(x, proficiency, 0x800000);
      srSeparator->AddXY(x, 0, 0x800000);
    }
    if (previousErrors < 10) {
      srProQ->AddXY(x, proficiency, DarkerColor(0xFFFFFF, previousErrors * 100 / 10));
      proficiencyTrend = Smoothed(proficiencyTrend, proficiency, first);
      srProQTrend->AddXY(x, proficiencyTrend, 0xFFFFFF);
    }
    if (errors < 10)
      srTempo->AddXY(x, tempo,
                     DarkerColor(errors <= 0 ? 0x00FF00 : 0x00FFFF, previousErrors * 100 / 10));
    tempoTrend = Smoothed(tempoTrend, tempo, first);
    srTempoTrend->AddXY(x, tempoTrend, 0x00FF00);
    srStability->AddXY(x, stability, 0x00FFFF);
    stabilityTrend = Smoothed(stabilityTrend, stability, first);
    srStabilityTrend->AddXY(x, stabilityTrend, 0x00FFFF);
    const int32_t errorValue = errors * 100 / 79;
    srErrors->AddXY(x, errorValue, 0x3333FF);
    srErrorsClone->AddXY(x, errorValue, clNone);
    errorsTrend = Smoothed(errorsTrend, errors, first);
    srErrorsTrend->AddXY(x, errorsTrend * 100 / 79, 0x0000AA);
    first = false;
    previousErrors = errors;
  });
  // The clock is read now and then only: a line takes well under a microsecond.
  auto lastMessages = std::chrono::steady_clock::now();
  replay.ReplayRest(File, [&] {
    if (std::chrono::steady_clock::now() - lastMessages < kMessageInterval) return;
    LetMessagesThrough();
    lastMessages = std::chrono::steady_clock::now();
  });
}

void TUserStatisticForm::acHideSeriesExecute(TObject*) {
  for (TChartSeries* series : std::initializer_list<TChartSeries*>{
           srSeparator, srTempo, srProQ, srTempoTrend, srProQTrend, srErrorsClone, srErrors,
           srErrorsTrend, srStability, srStabilityTrend})
    series->setParentChart(nullptr);
}

void TUserStatisticForm::acShowSeriesExecute(TObject*) {
  srErrorsClone->setParentChart(Chart);
  srSeparator->setParentChart(Chart);
  if (cbFactSeries->Checked()) {
    srTempo->setParentChart(Chart);
    srProQ->setParentChart(Chart);
    srErrors->setParentChart(Chart2);
    srStability->setParentChart(Chart2);
  }
  if (cbTradeSeries->Checked()) {
    srTempoTrend->setParentChart(Chart);
    srProQTrend->setParentChart(Chart);
    srErrorsTrend->setParentChart(Chart2);
    srStabilityTrend->setParentChart(Chart2);
  }
}

void TUserStatisticForm::cbFactSeriesClick(TObject*) {
  if (!cbFactSeries->Checked()) cbTradeSeries->setChecked(true);
  acHideSeries->Execute();
  acShowSeries->Execute();
}

void TUserStatisticForm::cbTradeSeriesClick(TObject*) {
  if (!cbTradeSeries->Checked()) cbFactSeries->setChecked(true);
  acHideSeries->Execute();
  acShowSeries->Execute();
}

void TUserStatisticForm::cbAxisXLogarithmicClick(TObject*) {
  TWindowUpdateLock lock(this);
  Chart->BottomAxis()->setLogarithmic(cbAxisXLogarithmic->Checked());
  Chart2->BottomAxis()->setLogarithmic(cbAxisXLogarithmic->Checked());
}

void TUserStatisticForm::FollowChart() {
  // Both ends are set fixed: an automatic minimum (date and time) would not follow.
  Chart2->BottomAxis()->setAutomatic(false);
  Chart2->BottomAxis()->setMinimum(Chart->BottomAxis()->Minimum());
  Chart2->BottomAxis()->setMaximum(Chart->BottomAxis()->Maximum());
}

void TUserStatisticForm::ChartZoom(TObject*) { FollowChart(); }

void TUserStatisticForm::ChartScroll(TObject*) { FollowChart(); }

void TUserStatisticForm::ChartUndoZoom(TObject*) {
  Chart->BottomAxis()->setAutomaticMaximum(true);
  Chart2->BottomAxis()->setAutomaticMaximum(true);
  // The minimum that following the zoom fixed is automatic again where the upper one is
  // (date and time).
  Chart2->BottomAxis()->setAutomaticMinimum(Chart->BottomAxis()->AutomaticMinimum());
  Chart2->BottomAxis()->setMinimum(Chart->BottomAxis()->Minimum());
  Chart2->BottomAxis()->setMaximum(Chart->BottomAxis()->Maximum());
}

void TUserStatisticForm::acCloseExecute(TObject*) { Close(); }

void TUserStatisticForm::bbRebuildClick(TObject*) {
  constexpr int classes = 30;
  const double lower = 0;
  const double upper = cbLogarithmic->Checked() ? std::log(500.0) : 500.0;
  int counters[classes] = {};
  TMathStatistic values;
  const int focused = lbFilesList->ItemIndex();
  if (focused < 0 || focused >= lbFilesList->Items()->Count())
    throw EListError("List index out of bounds (" + IntToStr(focused) + ")");
  TStatLines file(lbFilesList->Items()->Strings(focused));
  std::string_view line;
  if (!file.Next(line) || !BeginsARun(line)) return;
  const std::string filter = edFilter->Text();
  while (file.Next(line)) {
    if (line == "*") continue;
    const TPieces<2> fields = CutAt<2>(line, '\t');
    if (!filter.empty() && PieceOf(fields, 1) != filter) continue;
    double value = StrToInt(std::string(fields.Piece[0]));
    if (cbLogarithmic->Checked()) value = std::log(value + 1);
    if (lower < value && value < upper) {
      ++counters[static_cast<int>((value - lower) * classes / (upper - lower))];
      values.Add(value);
    }
  }
  for (TChartSeries* series :
       std::initializer_list<TChartSeries*>{srPeriodDistortion, Series1, Series2})
    series->Clear();
  int total = 0;
  for (int counter : counters) total += counter;
  const double width = (upper - lower) / classes;
  // With nothing counted the classes lie flat at 0.
  for (int j = 0; j < classes; ++j)
    srPeriodDistortion->AddXY(lower + j * width, total ? counters[j] / double(total) : 0, 0x0000FF);
  // Equal values (or none) have no spread and so no curve.
  const double deviation = values.getStdDev(), mean = values.getMean();
  if (deviation <= 0) return;
  for (int j = 1; j <= 999; ++j) {
    const double x = lower + j * (upper - lower) * 0.001;
    const double y = std::exp(-(x - mean) * (x - mean) / (2 * deviation * deviation)) *
                     (width / deviation) / std::sqrt(2 * std::numbers::pi);
    Series1->AddXY(x, y, 0x00FF00);
  }
}

void ShowUserStatistic(TUser* User, TCourse* Course) {
  TOwnedPtr<TUserStatisticForm> form(new TUserStatisticForm(nullptr, User, Course));
  form->ShowModal();
}
