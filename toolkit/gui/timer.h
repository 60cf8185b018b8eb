#pragma once
// A window timer over QTimer: OnTimer runs on the user-interface thread every Interval
// milliseconds while Enabled, through the dispatch. User-interface thread only.

#include <chrono>
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
  using Clock = std::chrono::steady_clock;

  void Restart();
  void Elapsed();
  // Starts Qt's timer for that long, and notes when it ends.
  void Arm(int milliseconds);

  std::unique_ptr<QTimer> timer_;
  bool enabled_ = true;
  int interval_ = 1000;
  // A restart that would come no earlier than the running interval's end waits for that end,
  // which only moves on to `due_`: restarting a QTimer allocates, and the task display restarts
  // its cursor timer at every key.
  bool deferred_ = false;
  Clock::time_point due_;
  // When the running interval ends by our own count: a coarse QTimer may end up to a twentieth
  // later, and what it reports of that would decide by the machine's load whether a key
  // restarts it.
  Clock::time_point endsAt_;
};
