#include "views/tlttaskstatisticvisualizer.h"

#include <cmath>

#include "engine/ttask.h"
#include "engine/ttaskstatistic.h"
#include "foundation/tinioptions.h"
#include "toolkit/sysutils.h"
#include "views/raisedbox.h"
#include "views/viewplacement.h"

namespace {

// An integer text, or "-" where the figure has no base to stand on or no integer holds it.
std::string Quotient(double dividend, double divisor) {
  const double quotient = divisor > 0 ? dividend / divisor : NAN;
  return std::fabs(quotient) < 1e18 ? IntToStr(static_cast<int64_t>(quotient)) : "-";
}

}  // namespace

TLTTaskStatisticVisualizer::TLTTaskStatisticVisualizer(TComponent* Owner)
    : TPaintBox(Owner),
      TempoCaption("Tempo"),
      StabilityCaption("Stability"),
      ErrorsCaption("Errors"),
      ProQuotientCaption("Proficiency"),
      ProQUnit("[PROQ_CPM]cpm/[PROQ_WPM]wpm"),
      TempoUnit("[TEMPO_BPM]bpm"),
      StabilityUnit("[STAB_PCNT]%"),
      ErrorsUnit("[ERR_COUNT] ([ERR_PCNT]%)") {
  Font()->setName("Arial Narrow");
  Font()->setHeight(100);
  Font()->setStyle(0);
  PlaceHidden(this);
  setName("Stataistic");
}

TLTTaskStatisticVisualizer::~TLTTaskStatisticVisualizer() = default;

void TLTTaskStatisticVisualizer::Publish(TPropList& properties) {
  TPaintBox::Publish(properties);
  for (auto [name, field] : {std::pair{"TempoCaption", &TempoCaption},
                             {"StabilityCaption", &StabilityCaption},
                             {"ErrorsCaption", &ErrorsCaption},
                             {"ProQuotientCaption", &ProQuotientCaption},
                             {"ProQUnit", &ProQUnit},
                             {"TempoUnit", &TempoUnit},
                             {"StabilityUnit", &StabilityUnit},
                             {"ErrorsUnit", &ErrorsUnit}})
    properties.push_back(StringProperty(name, "String", field));
}

void TLTTaskStatisticVisualizer::UpdateAndShow() {
  if (task_) {
    const TTaskStatistic* statistic = task_->getStatistic();
    Figures = {statistic->getSpeed(), statistic->getCurrentSpeed(), statistic->getRhythm(),
               statistic->getErrorCount(), statistic->Correct - statistic->Errors};
  } else {
    Figures = {-1, -1, -1.0, -1, -1};
  }
  Show();
  Repaint();
}

std::string TLTTaskStatisticVisualizer::ValueText(int line) const {
  const TTaskFigures& f = Figures;
  switch (line) {
    case 1:
      // A course may give a word length of 0: then there are no words to count.
      return StringReplaceAll(StringReplaceAll(ProQUnit, "[PROQ_CPM]", IntToStr(f.Speed)),
                              "[PROQ_WPM]", Quotient(f.Speed, AverageWordLength));
    case 2: return StringReplaceAll(TempoUnit, "[TEMPO_BPM]", IntToStr(f.CurrentSpeed));
    case 3:
      return StringReplaceAll(StabilityUnit, "[STAB_PCNT]",
                              IntToStr(static_cast<int64_t>(f.Rhythm * 100)));
    case 4:
      return StringReplaceAll(StringReplaceAll(ErrorsUnit, "[ERR_COUNT]", IntToStr(f.Errors)),
                              "[ERR_PCNT]",
                              f.ErrorBase > 0 ? IntToStr(f.Errors * 100 / f.ErrorBase) : "-");
    default: return "";
  }
}

void TLTTaskStatisticVisualizer::Paint() {
  const int w = Width(), h = Height();
  const int vm = h * verticalMargin_ / 100, r = h * cornerSize_ / 100;
  TCanvas* canvas = Canvas();

  canvas->Font()->Assign(*Font());
  lineHeight_ = canvas->TextHeight("W");
  while (4 * lineHeight_ + 2 * vm > h && canvas->Font()->Height() > 1) {
    canvas->Font()->setHeight(canvas->Font()->Height() - 1);
    lineHeight_ = canvas->TextHeight("W");
  }

  DrawRaisedBox(canvas, w, h, r, borderColor_, backgroundColor_);

  const int separator = canvas->TextWidth(" : ");
  const int centre = (w - separator) / 2;
  valueColumn_ = (w + separator) / 2;
  int y = vm;
  for (const std::string* caption :
       {&ProQuotientCaption, &TempoCaption, &StabilityCaption, &ErrorsCaption}) {
    PrintText(centre - canvas->TextWidth(*caption), y, *caption + " : ");
    y += canvas->TextHeight(*caption);
  }
  y = vm;
  for (int line = 1; line <= 4; ++line) {
    PrintText(valueColumn_, y, ValueText(line));
    y += lineHeight_;
  }
}

void TLTTaskStatisticVisualizer::PrintText(int x, int y, const std::string& text) {
  const int hm = Height() * rightMargin_ / 100, vm = Height() * verticalMargin_ / 100;
  TCanvas* canvas = Canvas();
  canvas->Brush()->setColor(backgroundColor_);
  canvas->Pen()->setColor(borderColor_);
  canvas->TextRect(Rect(x, y, Width() - hm, Height() - vm), x, y, text);
}

void TLTTaskStatisticVisualizer::LoadTheme(TIniOptions* options, const std::string& section) {
  Font()->setColor(options->ReadColor(section, "Font.Color", Font()->Color()));
  borderColor_ = options->ReadColor(section, "BorderColor", borderColor_);
  backgroundColor_ = options->ReadColor(section, "BackgroundColor", backgroundColor_);
}
