#include "toolkit/gui/paintbox.h"

#include <QWidget>

#include "toolkit/gui/qtbridge.h"

TPaintBox::TPaintBox(TComponent* Owner) : TGraphicControl(Owner) {
  Canvas()->OnChange = [this](const TRect& changed) {
    if (!painting_ && Handle()) Handle()->update(ToQRect(changed));
  };
}

bool TPaintBox::NeedsPaint() {
  const bool needed = stale_;
  stale_ = false;
  return needed;
}

void TPaintBox::setVisible(bool visible) {
  if (visible && !Visible()) stale_ = true;
  TGraphicControl::setVisible(visible);
}

void TPaintBox::Resized() {
  // New pixels are blank: the next repaint must paint them.
  stale_ = true;
  TGraphicControl::Resized();
}
