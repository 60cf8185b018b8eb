// The clock is read for every key event inside the keyboard hook; INI reads happen once per key
// of every window's localization and theme.
#include <benchmark/benchmark.h>

#include <string>

#include "foundation/tinioptions.h"
#include "platform/thighresolutiontimer.h"
#include "tests/support/tempdir.h"

namespace {

void BM_TimerGetTime(benchmark::State& state) {
  THighResolutionTimer timer;
  for (auto _ : state) benchmark::DoNotOptimize(timer.getTime());
}
BENCHMARK(BM_TimerGetTime);

// One key read from a file of `range(0)` keys, as a theme or localization file is read.
void BM_IniReadString(benchmark::State& state) {
  TempDir folder;
  if (folder.path().empty()) {
    state.SkipWithError("no temporary folder");
    return;
  }
  TIniOptions store(folder / "Theme.ini", true);
  for (int i = 0; i < state.range(0); ++i)
    store.WriteString("Session.Task", "Key" + std::to_string(i), "value " + std::to_string(i));
  for (auto _ : state) benchmark::DoNotOptimize(store.ReadString("Session.Task", "Key0", ""));
}
BENCHMARK(BM_IniReadString)->Arg(10)->Arg(200);

}  // namespace
