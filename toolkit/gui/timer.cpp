#include "toolkit/gui/timer.h"

#include <QTimer>

#include "toolkit/gui/application.h"

TTimer::TTimer(TComponent* Owner) : TComponent(Owner), timer_(std::make_unique<QTimer>()) {
  QObject::connect(timer_.get(), &QTimer::timeout, [this] { FireEvent(OnTimer, this); });
  Restart();
}

TTimer::~TTimer() = default;

void TTimer::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void TTimer::setInterval(int interval) {
  interval_ = interval;
  Restart();
}

void TTimer::Restart() {
  if (enabled_ && interval_ > 0) {
    timer_->start(interval_);
  } else {
    timer_->stop();
  }
}
