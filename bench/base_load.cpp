// Loading course bases and generating lines from them.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/tltbase.h"
#include "engine/tltbaseformat.h"
#include "engine/tltgenerator.h"
#include "tests/support/courses.h"
#include "tests/support/tempdir.h"
#include "toolkit/random.h"

namespace {

// A base of 500,000 records shaped like a course's: 26 letters and the blank, order 4, every
// inner node with all 27 continuations and 25 leaves below level 3, cut after 500,000.
// The file lies in a folder of its own, removed when the benchmarks end.
class TSyntheticBase {
public:
  TSyntheticBase() {
    if (Folder.path().empty()) std::abort();
    TBaseFileHeader header{};
    ToShortString("Synthetic", header.LanguageName);
    header.Order = 4;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    const std::string letters = " abcdefghijklmnopqrstuvwxyz";
    int records = 0;
    auto add = [&](int level, char letter) {
      uint8_t record[kBaseRecordSize];
      EncodeBaseRecord({level, static_cast<unsigned char>(letter), 1 + records % 50}, record);
      bytes.append(reinterpret_cast<const char*>(record), kBaseRecordSize);
      ++records;
    };
    for (char a : letters) {
      add(1, a);
      for (char b : letters) {
        add(2, b);
        for (char c : letters) {
          add(3, c);
          for (size_t d = 0; d < 25; ++d) add(4, letters[d]);
        }
      }
    }
    bytes.resize(sizeof header + 500000 * kBaseRecordSize);
    File = Folder / "Synthetic.Base";
    TempDir::Write(File, bytes);
  }

  TempDir Folder;
  std::string File;
};

const std::string& SyntheticBase() {
  static const TSyntheticBase base;
  return base.File;
}

void Load(benchmark::State& state, const std::string& path, bool withProgress) {
  int64_t reports = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto* base = new TLTBase;
    if (withProgress) base->setOnProgress([&reports](int32_t) { ++reports; });
    state.ResumeTiming();
    const bool loaded = base->LoadFromFile(path);
    state.PauseTiming();
    delete base;
    state.ResumeTiming();
    // Timing calls after a skip abort the run, so the skip comes last and ends the loop.
    if (!loaded) {
      state.SkipWithError("base not loaded");
      break;
    }
  }
  benchmark::DoNotOptimize(reports);
  std::error_code missing;
  const auto bytes = std::filesystem::file_size(path, missing);
  if (!missing) state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}

void BM_LoadCourse(benchmark::State& state, const std::string& course, bool withProgress) {
  Load(state, ShippedCourseFile(course + ".Base"), withProgress);
}

void BM_LoadSynthetic(benchmark::State& state, bool withProgress) {
  Load(state, SyntheticBase(), withProgress);
}

void BM_Generate(benchmark::State& state, const std::string& course) {
  TLTBase base;
  if (!base.LoadFromFile(ShippedCourseFile(course + ".Base"))) {
    state.SkipWithError("base not loaded");
    return;
  }
  TLTGenerator generator(&base);
  generator.setOrder(4);
  SeedRandom(1);
  for (auto _ : state) benchmark::DoNotOptimize(generator.Generate(60));
  state.SetItemsProcessed(state.iterations() * 60);
}

BENCHMARK_CAPTURE(BM_LoadCourse, English, std::string("English"), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadCourse, Russian, std::string("Russian"), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadCourse, EnglishWithProgress, std::string("English"), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadSynthetic, Plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadSynthetic, WithProgress, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Generate, EnglishOrder4, std::string("English"));
BENCHMARK_CAPTURE(BM_Generate, RussianOrder4, std::string("Russian"));

}  // namespace
