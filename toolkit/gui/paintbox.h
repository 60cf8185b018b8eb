#pragma once
// A paint box: a graphic control whose pixels persist. Its canvas may draw at any time, and
// what it draws shows at once; a repaint asked by the window system calls Paint, one caused by
// the canvas only shows the pixels. User-interface thread only.

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
  void Resized() override;

private:
  bool canvasOnly_ = false;
};
