#pragma once
// A splitter: a thin bar aligned to an edge of its parent that the user drags to resize the
// control aligned to the same edge just before it (the one between the splitter and the edge).
// User-interface thread only.

#include "toolkit/gui/control.h"

class TSplitter : public TControl {
public:
  explicit TSplitter(TComponent* Owner);

protected:
  bool WidgetEvent(QEvent* event) override;

private:
  // The control that dragging resizes, or none.
  TControl* Neighbour() const;

  bool dragging_ = false;
  int start_ = 0;
  int startSize_ = 0;
};
