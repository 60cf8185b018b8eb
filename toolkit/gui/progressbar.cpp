#include "toolkit/gui/progressbar.h"

#include <algorithm>

TProgressBar::TProgressBar(TComponent* Owner) : TGraphicControl(Owner) { setColor(clBtnFace); }

void TProgressBar::setRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  setPosition(position_);
}

void TProgressBar::setPosition(int position) {
  position_ = std::clamp(position, min_, max_);
  Invalidate();
}

void TProgressBar::setBarColor(TColor color) {
  barColor_ = color;
  Invalidate();
}

void TProgressBar::setEndColor(TColor color) {
  endColor_ = color;
  Invalidate();
}

namespace {

// Step `step` of `steps` on the way between two RGB colours.
TColor Blend(TColor from, TColor to, int step, int steps) {
  auto channel = [&](int x, int y) { return x + (y - x) * step / std::max(1, steps); };
  return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
             channel(GetBValue(from), GetBValue(to)));
}

}  // namespace

void TProgressBar::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Brush()->setColor(Color());
  canvas->FillRect(Rect(0, 0, Width(), Height()));
  int filled = max_ > min_ ? (position_ - min_) * Width() / (max_ - min_) : 0;
  if (endColor_ == clNone) {
    canvas->Brush()->setColor(barColor_);
    canvas->FillRect(Rect(0, 0, filled, Height()));
    return;
  }
  TColor from = ColorToRGB(barColor_), to = ColorToRGB(endColor_);
  for (int x = 0; x < filled; ++x) {
    canvas->Brush()->setColor(Blend(from, to, x, Width() - 1));
    canvas->FillRect(Rect(x, 0, x + 1, Height()));
  }
}
