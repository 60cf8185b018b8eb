#pragma once
// The two-line exercise display of the training screen: the line to type, with a framed sight
// box over the expected character, and the typed line, with the wrong character and a blinking
// underline cursor. The font is fitted so that the line fills the width. All that depends on
// the line alone is rendered once per line into strips; a key only composes the picture from
// them by block copies, and draws the columns that changed. Owns its cursor timer and bitmaps;
// does not own the task. User-interface thread only.

#include <string>
#include <utility>
#include <vector>

#include "toolkit/gui/bitmap.h"
#include "toolkit/gui/paintbox.h"
#include "toolkit/gui/timer.h"
#include "views/letterwidths.h"

class TIniOptions;
class TTask;

class TLTTaskVisualizer : public TPaintBox {
public:
  explicit TLTTaskVisualizer(TComponent* Owner);
  ~TLTTaskVisualizer() override;

  // Takes the task's OnChange; call before the display is laid out or shown.
  void AttachTask(TTask* task);
  int getMaxHeight() const { return MaxHeight; }
  void setMaxHeight(int maxHeight);
  // Fits the font and renders the strips for the task's current line and the control's width.
  void UpdateSize();
  // The largest font height, at most (MaxHeight - 1) / 2, at which the line and a line of as
  // many average letters both stay narrower than the control; 0 for a control without width.
  int getOptimalFontHeight();
  void setTask();
  // Draws the whole picture anew.
  void Paint() override;
  // Composes the picture for the task's position from the strips and draws it; nothing while
  // hidden.
  void PaintCurrentPosition();
  void CALLBACK_TaskOnChange();
  void OnCursorUpdateTimer(TObject* Sender);

  // The colours from a theme section; no layout, no repaint (the strips take them at the next
  // layout).
  void LoadTheme(TIniOptions* options, const std::string& section);
  // The font name, under the key Name + ".Font.Name".
  void LoadState(TIniOptions* options, const std::string& section);
  void SaveState(TIniOptions* options, const std::string& section);

  // Whether the cursor is in its visible phase.
  bool CursorShown() const { return cursorShown_; }
  const TTimer* CursorTimer() const { return cursorTimer_.get(); }
  // What measures the letters and the fitting's sample, each once per font and height (a test
  // counts its calls); forgets the widths measured before.
  void setMeasurer(TLetterWidths::TMeasurer measurer) { widths_.setMeasurer(std::move(measurer)); }

  TColor PureTaskColor;
  TColor DistortedTaskColor;
  TColor UserStringColor;
  TColor ErrorCharColor;
  TColor BackgroundColor;
  TColor FillerColor;
  TColor SightBackgroundColor;
  TColor SightBorderColor;
  TColor BorderColor;
  TColor DelimiterColor;
  TColor CursorColor;

protected:
  void Resized() override;

private:
  std::string FontNameKey() const { return Name() + ".Font.Name"; }
  // Fills rows [top, bottom) of the frame with the colour.
  void FillBand(int top, int bottom, TColor color);

  TOwnedPtr<TTimer> cursorTimer_;
  TTask* task_ = nullptr;
  int borderHeight_ = 4;
  int delimiterHeight_ = 1;
  bool cursorShown_ = false;
  int MaxHeight = 81;
  int textWidth_ = 0;
  int textHeight_ = 0;
  double spacing_ = 0;
  // One entry per character of the line laid out last.
  std::vector<int> cellX_;
  std::vector<int> cellWidth_;
  int totalWidth_ = 0;
  int leftOffset_ = 0;
  TBitmap composite_;
  TBitmap frame_;
  TBitmap taskStrip_;
  TBitmap sightStrip_;
  TBitmap typedStrip_;
  // The columns [from, to) in which the picture shown differs from the frame and the strips
  // alone: the expected character's cell with what stands over it. Empty while the control
  // does not show the last composition.
  int shownFrom_ = 0, shownTo_ = 0;
  // A line is as wide as its letters: each is drawn on its own, so no pair kerns, and the
  // fitting, the spacing and the cells agree on what fits.
  TLetterWidths widths_;
};
