#pragma once
// A paint box: a graphic control whose pixels persist. Its canvas may draw at any time, and
// what it draws shows at once, only the part it changed; Paint draws the box anew when its
// pixels are not yet what it shows: when it comes into view, after a change of size, and when
// the program asks for a repaint (Invalidate, Repaint, a new font or colour). Any other repaint
// (of what lies over it, say) shows the pixels as they are. User-interface thread only.

#include "toolkit/gui/graphiccontrol.h"

class TPaintBox : public TGraphicControl {
public:
  explicit TPaintBox(TComponent* Owner);
  // A box that shows is painted, as a window that appears is: what it drew while hidden may
  // lack what it draws only while seen.
  void setVisible(bool visible) override;

protected:
  bool ClearsBeforePaint() const override { return false; }
  bool NeedsPaint() override;
  void RepaintAsked() override { stale_ = true; }
  void Resized() override;

private:
  bool stale_ = true;
};
