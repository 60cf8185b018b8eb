// The statistics window and the log checker replay every keystroke of every statistics file of
// a course; this measures that replay: parsing, AddKeystroke and the figures of each exercise.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/tstatlines.h"
#include "engine/tstatreplay.h"
#include "engine/ttaskstatistic.h"
#include "tests/support/tempdir.h"
#include "toolkit/fileio.h"

namespace {

constexpr int kFiles = 100;
constexpr int kExercisesPerFile = 200;
constexpr int kKeystrokesPerExercise = 50;

// A run as the training screen writes it: mostly right keys, an error now and then, and an
// interrupted key at the start of some lines.
std::string MakeRun(int seed) {
  std::string text = "*\r\n";
  for (int e = 0; e < kExercisesPerFile; ++e) {
    if (e > 0) text += "*\r\n";
    for (int k = 0; k < kKeystrokesPerExercise; ++k) {
      const char expected = static_cast<char>('a' + (seed + e + k) % 26);
      const bool wrong = (seed + e * 7 + k * 3) % 23 == 0;
      const bool interrupted = k == 1 && e % 9 == 0;
      text += std::to_string(120 + (seed * 31 + e * 17 + k * 13) % 240);
      text += '\t';
      text += expected;
      text += '\t';
      text += wrong ? 'q' : expected;
      text += interrupted ? "\t-\r\n" : "\t\r\n";
    }
  }
  return text;
}

void BM_ReplayStatisticFiles(benchmark::State& state) {
  TempDir folder;
  if (folder.path().empty()) {
    state.SkipWithError("no temporary folder");
    return;
  }
  std::vector<std::string> files;
  for (int i = 0; i < kFiles; ++i) {
    files.push_back(folder / ("run" + std::to_string(i) + ".stat"));
    std::string error;
    if (!ReplaceFile(files.back(), MakeRun(i), error)) state.SkipWithError(error.c_str());
  }
  int64_t sum = 0;
  for (auto _ : state) {
    for (const std::string& path : files) {
      TStatLines file(path);
      ReplayRun(file, [&sum](const TTaskStatistic& exercise) {
        sum += exercise.getSpeed() + exercise.getCurrentSpeed() + exercise.getTotalTime() +
               static_cast<int64_t>(exercise.getRhythm() * 1000);
      });
    }
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * kFiles * kExercisesPerFile * kKeystrokesPerExercise);
}
BENCHMARK(BM_ReplayStatisticFiles)->Unit(benchmark::kMillisecond);

}  // namespace
