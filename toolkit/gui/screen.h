#pragma once
// The screen: the primary display's size and every monitor's rectangle, from Qt, in the order
// Qt lists them. Any call asks Qt afresh; user-interface thread only.

#include "toolkit/rect.h"

class TScreen {
public:
  int Width() const;
  int Height() const;
  int MonitorCount() const;
  // An empty rectangle for an index beyond the last monitor.
  TRect Monitors(int index) const;
};

extern TScreen* Screen;
