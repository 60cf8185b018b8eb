#pragma once
// A label: text drawn in its font, one line per line break, on a transparent background unless
// Transparent is off; aligned left, right or centred; sized to its text while AutoSize is on.
// A shadow colour and size draw the text a second time beneath, offset to the lower right.
// User-interface thread only.

#include "toolkit/gui/graphiccontrol.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent* Owner);

  TAlignment Alignment() const { return alignment_; }
  void setAlignment(TAlignment alignment);
  bool AutoSize() const { return autoSize_; }
  void setAutoSize(bool autoSize);
  bool Transparent() const { return transparent_; }
  void setTransparent(bool transparent);
  TColor ShadowColor() const { return shadowColor_; }
  void setShadowColor(TColor color);
  // Pixels of shadow offset; 0 draws none.
  int ShadowSize() const { return shadowSize_; }
  void setShadowSize(int size);

  void Paint() override;

protected:
  void TextChanged() override;
  void FontChanged() override;
  void Publish(TPropList& properties) override;

private:
  void FitToText();

  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  bool transparent_ = true;
  TColor shadowColor_ = clBtnHighlight;
  int shadowSize_ = 0;
};
