#pragma once
// A graphical button: a glyph strip of up to four states (up, disabled, down, hot) and a
// caption side by side, centred; flat buttons show a frame only under the mouse. With an
// action it runs the action and looks disabled while the action is. User-interface thread only.

#include "toolkit/gui/bitmap.h"
#include "toolkit/gui/graphiccontrol.h"

class TAction;

class TSpeedButton : public TGraphicControl {
public:
  explicit TSpeedButton(TComponent* Owner);

  // Its bottom-left colour is transparent. Change it, then Invalidate.
  TBitmap* Glyph() { return &glyph_; }
  void setNumGlyphs(int count);
  void setFlat(bool flat);
  // The glyph of the state drawn under the whole button from its top-left corner, with the
  // caption centred over it (a button that is all picture), instead of beside the caption.
  void setGlyphUnderCaption(bool under);
  TAction* Action() const { return action_; }
  // Clicks run the action (it replaces OnClick).
  void setAction(TAction* action);

  void Paint() override;

protected:
  bool WidgetEvent(QEvent* event) override;
  void Publish(TPropList& properties) override;

private:
  bool Usable() const;

  TBitmap glyph_;
  int numGlyphs_ = 1;
  bool flat_ = false;
  bool glyphUnderCaption_ = false;
  TAction* action_ = nullptr;
  bool hot_ = false;
  bool down_ = false;
};
