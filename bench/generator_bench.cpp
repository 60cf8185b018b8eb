// The generator's worst case: the shipped courses' lines under a heavy weight on the blank (and
// every other non-letter), which the exercise line reaches after a few space slips. One
// iteration is one line of each length from 30 to 80, from one seed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "engine/tltbase.h"
#include "engine/tltgenerator.h"
#include "tests/support/courses.h"
#include "toolkit/random.h"

namespace {

void BM_HeavyBlankLines(benchmark::State& state, const char* course) {
  TLTBase base;
  if (!base.LoadFromFile(ShippedCourseFile(std::string(course) + ".Base"))) {
    state.SkipWithError("no base");
    return;
  }
  TLTGenerator generator(&base);
  generator.setOrder(static_cast<int32_t>(state.range(0)));
  const double blank = static_cast<double>(state.range(1));
  SeedRandom(2024);
  int64_t lines = 0;
  double slowest = 0;
  for (auto _ : state) {
    for (int32_t length = 30; length <= 80; ++length) {
      generator.ResetWeights();
      generator.setWeight(' ', blank);
      const auto start = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(generator.Generate(length));
      slowest = std::max(
          slowest, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      ++lines;
    }
  }
  state.counters["line"] = benchmark::Counter(static_cast<double>(lines),
                                              benchmark::Counter::kIsRate |
                                                  benchmark::Counter::kInvert);
  // The one line that took longest, in seconds.
  state.counters["slowest"] = slowest;
}

void Arguments(benchmark::internal::Benchmark* b) {
  for (int64_t order : {2, 3, 4})
    for (int64_t blank : {100000, 1000000, 10000000}) b->Args({order, blank});
  b->ArgNames({"order", "blank"})->Unit(benchmark::kMillisecond)->Iterations(3);
}

BENCHMARK_CAPTURE(BM_HeavyBlankLines, English, "English")->Apply(Arguments);
BENCHMARK_CAPTURE(BM_HeavyBlankLines, Russian, "Russian")->Apply(Arguments);

}  // namespace
