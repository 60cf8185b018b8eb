#include "platform/mmtimer.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/timerclock.h"

namespace {

struct Timer {
  uint32_t period;
  TTimerClock* clock;
  std::mutex lock;
  std::condition_variable wake;
  bool killed = false;
  std::thread thread;
};

struct Registry {
  std::mutex lock;
  uint32_t lastId = 0;
  std::map<uint32_t, std::shared_ptr<Timer>> timers;
};

// Never destroyed: a timer thread may still use it while the process exits.
Registry& Timers() {
  static Registry& registry = *new Registry;
  return registry;
}

void Run(std::shared_ptr<Timer> timer, uint32_t id, TMMTimerProc proc, void* user,
         TTimerClock::TimePoint start) {
  const std::chrono::milliseconds period(timer->period);
  TTimerClock::TimePoint deadline = start + period;
  std::unique_lock<std::mutex> hold(timer->lock);
  while (!timer->clock->WaitUntil(timer->wake, hold, deadline, timer->killed)) {
    hold.unlock();
    proc(id, user);
    hold.lock();
    deadline += period;
    const TTimerClock::TimePoint now = timer->clock->Now();
    if (deadline <= now) deadline += ((now - deadline) / period + 1) * period;
  }
}

}  // namespace

uint32_t MMTimerStart(uint32_t periodMs, TMMTimerProc proc, void* user) {
  if (periodMs == 0 || proc == nullptr) return 0;
  auto timer = std::make_shared<Timer>();
  timer->period = periodMs;
  timer->clock = &TimerClock();
  const TTimerClock::TimePoint start = timer->clock->Now();
  Registry& registry = Timers();
  // Held until the timer is registered, so that a callback that kills its own timer finds it.
  std::lock_guard<std::mutex> hold(timer->lock);
  uint32_t id;
  {
    std::lock_guard<std::mutex> holdRegistry(registry.lock);
    if (++registry.lastId == 0) ++registry.lastId;
    id = registry.lastId;
  }
  try {
    timer->thread = std::thread(Run, timer, id, proc, user, start);
  } catch (const std::system_error&) {
    return 0;
  }
  std::lock_guard<std::mutex> holdRegistry(registry.lock);
  registry.timers.emplace(id, timer);
  return id;
}

bool MMTimerKill(uint32_t id) {
  std::shared_ptr<Timer> timer;
  {
    Registry& registry = Timers();
    std::lock_guard<std::mutex> hold(registry.lock);
    auto found = registry.timers.find(id);
    if (found == registry.timers.end()) return false;
    timer = std::move(found->second);
    registry.timers.erase(found);
  }
  std::unique_lock<std::mutex> hold(timer->lock);
  timer->killed = true;
  timer->wake.notify_one();
  if (timer->thread.get_id() == std::this_thread::get_id()) {
    // The thread ends by itself once the callback returns; it holds its own share of the timer.
    timer->thread.detach();
    return true;
  }
  hold.unlock();
  timer->thread.join();
  return true;
}

uint32_t MMTimerPeriod(uint32_t id) {
  Registry& registry = Timers();
  std::lock_guard<std::mutex> hold(registry.lock);
  auto found = registry.timers.find(id);
  return found == registry.timers.end() ? 0 : found->second->period;
}
