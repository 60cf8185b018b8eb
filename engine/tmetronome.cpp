#include "engine/tmetronome.h"

#include "platform/mmtimer.h"

std::function<void()> TMetronome::OnTick;
uint32_t TMetronome::TimerId = 0;

namespace {

int32_t AtLeastOne(int32_t tempo) { return tempo <= 0 ? 1 : tempo; }

}  // namespace

TMetronome::TMetronome(int32_t tempo) : Tempo(AtLeastOne(tempo)) {}

TMetronome::~TMetronome() { Stop(); }

void TMetronome::setTempo(int32_t tempo) {
  Tempo = AtLeastOne(tempo);
  if (Running) Start();
}

void TMetronome::Start() {
  // The id is class-wide: the timer it names, started by this metronome or by another, must
  // not go on beating with no id left to kill it.
  if (TimerId != 0) MMTimerKill(TimerId);
  TimerId = MMTimerStart(static_cast<uint32_t>(60000 / Tempo), TimerProc, nullptr);
  // A refused timer still counts as running: no beats come until the next stop and start.
  Running = true;
}

void TMetronome::Stop() {
  // Only the running metronome owns the class-wide timer; a stopped one must leave it alone.
  if (!Running) return;
  if (TimerId != 0) MMTimerKill(TimerId);
  TimerId = 0;
  Running = false;
}

void TMetronome::TimerProc(uint32_t, void*) {
  if (OnTick) OnTick();
}
