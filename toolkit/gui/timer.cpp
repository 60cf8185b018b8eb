#include "toolkit/gui/timer.h"

#include <QTimer>

#include "toolkit/gui/application.h"

TTimer::TTimer(TComponent* Owner) : TComponent(Owner), timer_(std::make_unique<QTimer>()) {
  QObject::connect(timer_.get(), &QTimer::timeout, [this] { Elapsed(); });
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
  if (enabled_ && interval_ > 0 && timer_->isActive() &&
      endsAt_ <= Clock::now() + std::chrono::milliseconds(interval_)) {
    deferred_ = true;
    due_ = Clock::now() + std::chrono::milliseconds(interval_);
    return;
  }
  Restart();
}

void TTimer::Restart() {
  deferred_ = false;
  if (enabled_ && interval_ > 0) {
    Arm(interval_);
  } else {
    timer_->stop();
  }
}

void TTimer::Elapsed() {
  if (deferred_) {
    deferred_ = false;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(due_ - Clock::now()).count();
    if (left > 0) {
      Arm(static_cast<int>(left));
      return;
    }
  }
  // The rest of a deferred interval is over: the periods go on from here.
  if (timer_->interval() != interval_) {
    Arm(interval_);
  } else {
    endsAt_ = Clock::now() + std::chrono::milliseconds(interval_);
  }
  FireEvent(OnTimer, this);
}

void TTimer::Arm(int milliseconds) {
  timer_->start(milliseconds);
  endsAt_ = Clock::now() + std::chrono::milliseconds(milliseconds);
}
