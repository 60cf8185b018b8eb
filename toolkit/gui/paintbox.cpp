#include "toolkit/gui/paintbox.h"

TPaintBox::TPaintBox(TComponent* Owner) : TGraphicControl(Owner) {
  Canvas()->OnChange = [this] {
    if (painting_) return;
    canvasOnly_ = true;
    Invalidate();
  };
}

bool TPaintBox::NeedsPaint() {
  bool needed = !canvasOnly_;
  canvasOnly_ = false;
  return needed;
}

void TPaintBox::setVisible(bool visible) {
  if (visible && !Visible()) canvasOnly_ = false;
  TGraphicControl::setVisible(visible);
}

void TPaintBox::Resized() {
  // New pixels are blank: the next repaint must paint them.
  canvasOnly_ = false;
  TGraphicControl::Resized();
}
