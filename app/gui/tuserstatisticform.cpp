#include "app/gui/tuserstatisticform.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <string_view>

#include "engine/tcourse.h"
#include "engine/tmathstatistic.h"
#include "engine/ttaskstatistic.h"
#include "foundation/filetools.h"
#include "foundation/tcolorlib.h"
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

// A keystroke whose interval is longer than this (ms) was interrupted.
constexpr int32_t kLongestInterval = 180000;
// The interval of a keystroke line whose interval is no number: interrupted.
constexpr int32_t kUnreadableInterval = 99999999;
// How often a load lets the window's messages through inside a file, besides before each file:
// a year of files has hundreds of thousands of lines, and a turn of the loop costs more than
// a line.
constexpr auto kMessageInterval = std::chrono::milliseconds(20);

// The first pieces of a text cut at every separator, empty ones kept (a text without it is
// one piece), and how many pieces it has in all.
template <size_t N>
struct TPieces {
  std::string_view Piece[N];
  size_t Count = 0;
};

template <size_t N>
TPieces<N> CutAt(std::string_view text, char separator) {
  TPieces<N> pieces;
  for (size_t start = 0;;) {
    const size_t at = text.find(separator, start);
    if (pieces.Count < N)
      pieces.Piece[pieces.Count] =
          text.substr(start, at == std::string_view::npos ? at : at - start);
    ++pieces.Count;
    if (at == std::string_view::npos) return pieces;
    start = at + 1;
  }
}

// Piece `index`, raising the string list's index error where there are fewer.
template <size_t N>
std::string_view Field(const TPieces<N>& pieces, size_t index) {
  if (index >= pieces.Count) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
  return pieces.Piece[index];
}

// A plain decimal the quick way; anything else as the run-time library reads it.
int32_t IntervalOf(std::string_view field) {
  int32_t value = 0;
  const auto [end, failure] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (failure == std::errc() && end == field.data() + field.size()) return value;
  return StrToIntDef(std::string(field), kUnreadableInterval);
}

// The first character of a field, raising the range error for an empty one.
unsigned char FirstCharacter(std::string_view field) {
  if (field.empty()) throw Exception("Range check error");
  return static_cast<unsigned char>(field[0]);
}

// The start of a run from its file name "yyyy-mm-dd-hh-nn-ss.stat", checked.
TDateTime FileDateTime(const std::string& path) {
  const std::string name = std::filesystem::path(path).stem().string();
  const TPieces<6> pieces = CutAt<6>(name, '-');
  int parts[6];
  for (size_t i = 0; i < 6; ++i) parts[i] = StrToInt(std::string(Field(pieces, i)));
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
  pnProgressChardControl->setEnabled(false);
  acLoadData->setEnabled(false);
  try {
    LoadFiles();
  } catch (...) {
    FinishLoad();
    throw;
  }
  FinishLoad();
}

void TUserStatisticForm::LoadFiles() {
  TStringList files;
  FindFiles(User->getStatisticFolder(Course->getName()), "*.stat", false, files);
  TStrings* list = lbFilesList->Items();
  list->Clear();
  for (const std::string& file : files) list->Add(file);

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
    Application->ProcessMessages();
    const std::string path = list->Strings(i);
    TStringList lines;
    lines.LoadFromFile(path);
    if (lines.Count() == 0) continue;
    const TDateTime started = FileDateTime(path);
    if (lines.Strings(0) == "*") PlotSessionFile(lines, totalTime, totalKeystrokes, started);
  }
}

void TUserStatisticForm::FinishLoad() {
  pgLoad->setPosition(100);
  pgLoad->Hide();
  acShowSeries->Execute();
  acLoadData->setEnabled(true);
  pnProgressChardControl->setEnabled(true);
  Busy = false;
}

double TUserStatisticForm::AxisX(int64_t totalTime, int64_t totalKeystrokes,
                                 TDateTime dateTime) const {
  switch (cbAxisX->ItemIndex()) {
    case 0: return static_cast<double>(totalKeystrokes);
    case 1: return totalTime / 60000.0;
    case 2: return dateTime;
    default: throw "766A655C";
  }
}

void TUserStatisticForm::PlotSessionFile(TStringList& Lines, int64_t& TotalTime,
                                         int64_t& TotalKeystrokes, TDateTime FileDateTime) {
  if (Lines.Count() > 0 && Lines.Strings(0) == "*") Lines.Delete(0);
  Lines.Add("*");
  TTaskStatistic statistic(User->getStatisticFolder(Course->getName()));
  statistic.Reset();
  bool first = true;
  int32_t previousErrors = 0;
  double proficiencyTrend = 0, tempoTrend = 0, stabilityTrend = 0, errorsTrend = 0;
  double x = AxisX(TotalTime, TotalKeystrokes, FileDateTime);
  // No trend line joins two files.
  for (TChartSeries* trend : {srProQTrend, srTempoTrend, srStabilityTrend, srErrorsTrend})
    trend->AddXY(x, 0, clNone);
  // Only differences of stamps count, so the clock starts anew with each file, at 1: a stamp
  // of 0 would ask the statistic for the current time. It goes on round the 32 bits as the
  // statistic's stamps do.
  uint32_t clock = 1;
  auto lastMessages = std::chrono::steady_clock::now();
  int sinceLook = 0;
  for (const std::string& line : Lines) {
    // The clock is read now and then only: a line takes well under a microsecond.
    if (++sinceLook == 64) {
      sinceLook = 0;
      if (std::chrono::steady_clock::now() - lastMessages >= kMessageInterval) {
        Application->ProcessMessages();
        lastMessages = std::chrono::steady_clock::now();
      }
    }
    if (line == "*") {
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
      statistic.Reset();
      continue;
    }
    const TPieces<4> fields = CutAt<4>(line, '\t');
    const int32_t interval = IntervalOf(fields.Piece[0]);
    const unsigned char expected = FirstCharacter(Field(fields, 1));
    const unsigned char typed = FirstCharacter(Field(fields, 2));
    const bool marked = fields.Count > 3 && fields.Piece[3] == "-";
    const bool interrupted = marked || interval > kLongestInterval;
    if (!interrupted) clock += static_cast<uint32_t>(interval);
    statistic.AddKeystroke(static_cast<int32_t>(clock), expected, typed, interrupted);
  }
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
  TStringList lines;
  lines.LoadFromFile(lbFilesList->Items()->Strings(focused));
  if (lines.Count() == 0 || lines.Strings(0) != "*") return;
  const std::string filter = edFilter->Text();
  for (const std::string& line : lines) {
    if (line == "*") continue;
    const TPieces<2> fields = CutAt<2>(line, '\t');
    if (!filter.empty() && Field(fields, 1) != filter) continue;
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
