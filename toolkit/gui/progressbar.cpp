#include "toolkit/gui/progressbar.h"

#include <QWidget>
#include <algorithm>

TProgressBar::TProgressBar(TComponent* Owner) : TGraphicControl(Owner) {
  setColor(clBtnFace);
  // Every pixel is painted: what lies beneath (a picture) is not drawn again at every step.
  Handle()->setAttribute(Qt::WA_OpaquePaintEvent);
}

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
  gradientDrawn_ = false;
  Invalidate();
}

void TProgressBar::setEndColor(TColor color) {
  endColor_ = color;
  gradientDrawn_ = false;
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
  if (!gradientDrawn_ || gradient_.Width() != Width() || gradient_.Height() != Height()) {
    gradient_.setSize(Width(), Height());
    TCanvas* strip = gradient_.Canvas();
    TColor from = ColorToRGB(barColor_), to = ColorToRGB(endColor_);
    for (int x = 0; x < Width(); ++x) {
      strip->Brush()->setColor(Blend(from, to, x, Width() - 1));
      strip->FillRect(Rect(x, 0, x + 1, Height()));
    }
    gradientDrawn_ = true;
  }
  canvas->CopyRect(Rect(0, 0, filled, Height()), gradient_.Canvas(), Rect(0, 0, filled, Height()));
}
