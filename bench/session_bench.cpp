// The training screen at 1920 x 1200 (the largest test size), offscreen: one keystroke from the
// keyboard hook's event until every view has composed its picture, and one line completion
// (statistics saved, next wallpaper, result panel, new line, layout). Each iteration is timed
// alone; the median and the 99th percentile are reported as counters, in microseconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

#include "tests/support/trainingsession.h"
#include "toolkit/gui/application.h"
#include "toolkit/messagebox.h"

namespace {

using Clock = TrainingSession::Clock;

// One application for the whole run, headless, with "/test" so that the screen takes the
// test sizes.
TApplication& App() {
  static int argc = 2;
  static char program[] = "session_bench", argument[] = "/test";
  static char* argv[] = {program, argument, nullptr};
  static TApplication* application = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    auto* made = new TApplication(argc, argv);
    SetMessageDlgHandler(nullptr);
    return made;
  }();
  return *application;
}

void Report(benchmark::State& state, std::vector<double> micros) {
  if (micros.empty()) return;
  std::sort(micros.begin(), micros.end());
  state.counters["median_us"] = micros[micros.size() / 2];
  state.counters["p99_us"] = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
  state.counters["max_us"] = micros.back();
}

double Micros(Clock::duration duration) {
  return std::chrono::duration<double, std::micro>(duration).count();
}

// Times the key that `prepare` leaves next, once per iteration.
void TimeKeys(benchmark::State& state, const std::function<void(TrainingSession&)>& prepare) {
  App();
  TrainingSession session;
  session.TakeTestSize(1920, 1200);
  if (!session.ready()) {
    state.SkipWithError("the training screen did not become active");
    return;
  }
  std::vector<double> micros;
  for (auto _ : state) {
    state.PauseTiming();
    prepare(session);
    state.ResumeTiming();
    const Clock::duration took = session.TypeNext();
    state.SetIterationTime(std::chrono::duration<double>(took).count());
    micros.push_back(Micros(took));
  }
  Report(state, micros);
}

// A right key in the middle of a line; the line's last key is typed untimed.
void BM_Keystroke(benchmark::State& state) {
  TimeKeys(state, [](TrainingSession& session) {
    if (session.LastOfLine()) session.TypeNext();
  });
}
BENCHMARK(BM_Keystroke)->UseManualTime()->Iterations(3000)->Unit(benchmark::kMicrosecond);

// The key that completes a line. Before it the wallpaper's next picture has time to decode,
// as it has while a person types a line.
void BM_LineCompletion(benchmark::State& state) {
  TimeKeys(state, [](TrainingSession& session) {
    while (!session.LastOfLine()) session.TypeNext();
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
  });
}
BENCHMARK(BM_LineCompletion)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

}  // namespace
