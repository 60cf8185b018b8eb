#pragma once
// A window timer over QTimer: OnTimer runs on the user-interface thread every Interval
// milliseconds while Enabled, through the dispatch. User-interface thread only.

#include <memory>

#include "toolkit/gui/component.h"
#include "toolkit/gui/events.h"

class QTimer;

class TTimer : public TComponent {
public:
  // Enabled, 1000 ms.
  explicit TTimer(TComponent* Owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  int Interval() const { return interval_; }
  // Starts the interval anew when the timer is enabled.
  void setInterval(int interval);

  TNotifyEvent OnTimer;

private:
  void Restart();

  std::unique_ptr<QTimer> timer_;
  bool enabled_ = true;
  int interval_ = 1000;
};
