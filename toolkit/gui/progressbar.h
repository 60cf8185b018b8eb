#pragma once
// A progress bar drawn by the toolkit: the part from Min to Position in BarColor, or in a
// gradient from BarColor to EndColor across the whole bar, on Color. User-interface thread only.

#include "toolkit/gui/bitmap.h"
#include "toolkit/gui/graphiccontrol.h"

class TProgressBar : public TGraphicControl {
public:
  explicit TProgressBar(TComponent* Owner);

  int Min() const { return min_; }
  int Max() const { return max_; }
  void setRange(int min, int max);
  int Position() const { return position_; }
  // Kept within Min and Max.
  void setPosition(int position);
  void setBarColor(TColor color);
  // clNone: a solid bar.
  void setEndColor(TColor color);

  void Paint() override;

private:
  int min_ = 0, max_ = 100, position_ = 0;
  TColor barColor_ = clHighlight;
  TColor endColor_ = clNone;
  // The whole gradient at the bar's size, drawn once for its colours: a paint, one per step of
  // a load, copies its filled part.
  TBitmap gradient_;
  bool gradientDrawn_ = false;
};
