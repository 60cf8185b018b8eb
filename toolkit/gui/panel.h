#pragma once
// A panel: a windowed control filled with its colour, with an optional one-pixel bevel and a
// caption centred in its font. User-interface thread only.

#include "toolkit/gui/wincontrol.h"

enum TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
public:
  explicit TPanel(TComponent* Owner);

  void setBevelOuter(TBevelCut bevel);

protected:
  bool WidgetEvent(QEvent* event) override;
  void Publish(TPropList& properties) override;

private:
  TBevelCut bevel_ = bvRaised;
};
