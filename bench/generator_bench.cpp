// The generator's worst case: the shipped courses' lines under a heavy weight on the blank (and
// every other non-letter), up to the highest weight the exercise line's penalties reach. One
// iteration is one line of each length from 30 to 80 from a fresh generator, each iteration on
// the next seed from 1; the seeds up to 20 hold the slowest lines found. Each line is timed
// alone, in the thread's processor time (what another program takes of the core does not
// count); the median, the 99th percentile and the slowest line are reported in milliseconds.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/tltbase.h"
#include "engine/tltgenerator.h"
#include "tests/support/courses.h"
#include "toolkit/random.h"

namespace {

double ThreadMillis() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

void BM_HeavyBlankLines(benchmark::State& state, const char* course) {
  TLTBase base;
  if (!base.LoadFromFile(ShippedCourseFile(std::string(course) + ".Base"))) {
    state.SkipWithError("no base");
    return;
  }
  const double blank = static_cast<double>(state.range(1));
  std::vector<double> millis;
  uint32_t seed = 0;
  for (auto _ : state) {
    TLTGenerator generator(&base);
    generator.setOrder(static_cast<int32_t>(state.range(0)));
    SeedRandom(++seed);
    for (int32_t length = 30; length <= 80; ++length) {
      generator.ResetWeights();
      generator.setWeight(' ', blank);
      const double start = ThreadMillis();
      benchmark::DoNotOptimize(generator.Generate(length));
      millis.push_back(ThreadMillis() - start);
    }
  }
  std::sort(millis.begin(), millis.end());
  state.counters["median_ms"] = millis[millis.size() / 2];
  state.counters["p99_ms"] = millis[millis.size() * 99 / 100];
  state.counters["slowest_ms"] = millis.back();
}

void Arguments(benchmark::internal::Benchmark* b) {
  for (int64_t order : {1, 2, 3, 4})
    for (int64_t blank : {100000, 1000000, 10000000}) b->Args({order, blank});
  b->ArgNames({"order", "blank"})->Unit(benchmark::kMillisecond)->Iterations(20);
}

BENCHMARK_CAPTURE(BM_HeavyBlankLines, English, "English")->Apply(Arguments);
BENCHMARK_CAPTURE(BM_HeavyBlankLines, Russian, "Russian")->Apply(Arguments);

}  // namespace
