// The statistics window reads every statistics file of a course at each load: a year of daily
// runs, replayed into the series and both charts drawn once. Also reports the longest stretch
// in which the window let no message through (it must repaint at least every 100 ms). And the
// memory of one load of a single large file: a 200 MB run of long lines, and a 3 MB file of a
// million "*" lines; the process's peak resident memory is reported, so run one of them alone
// (--benchmark_filter) for its figure.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/gui/tuserstatisticform.h"
#include "engine/tcourse.h"
#include "engine/tcourses.h"
#include "tests/support/installation.h"
#include "tests/support/messageboxes.h"
#include "tests/support/typingruns.h"
#include "toolkit/gui/application.h"
#include "toolkit/gui/chart.h"
#include "toolkit/gui/chartseries.h"
#include "users/tuser.h"
#include "users/tusers.h"

namespace {

using Clock = std::chrono::steady_clock;

TApplication* GuiApplication() {
  static int argc = 1;
  static char program[] = "statwindow_bench";
  static char* argv[] = {program, nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static TApplication* application = new TApplication(argc, argv);
  return application;
}

void BM_LoadAYearOfDailyRuns(benchmark::State& state) {
  GuiApplication();
  Installation program;
  TempDir::Write(program.getCoursesDir() + "/English.Base", "");
  TUser* user = program.root().getUsers()->Add("Anna");
  program.root().getCourses()->Load();
  TCourse* course = program.root().getCourses()->getCourse("English");
  TypingRuns runs;
  runs.Days = 365;
  runs.SkippedDays = 0;
  const int files = runs.Write(user->getStatisticFolder(course->getName()));

  TOwnedPtr<TUserStatisticForm> form(new TUserStatisticForm(nullptr, user, course));
  form->Show();
  // A zero timer fires at every turn of the message loop that the load lets through.
  Clock::time_point last = Clock::now();
  double longest = 0;
  auto gap = [&] {
    const Clock::time_point now = Clock::now();
    longest = std::max(longest, std::chrono::duration<double, std::milli>(now - last).count());
    last = now;
  };
  QTimer pulse;
  pulse.setInterval(0);
  QObject::connect(&pulse, &QTimer::timeout, gap);
  pulse.start();
  double loading = 0, drawing = 0;
  for (auto _ : state) {
    last = Clock::now();
    const Clock::time_point start = last;
    form->acLoadDataExecute(nullptr);
    const Clock::time_point loaded = Clock::now();
    form->Chart->Draw();
    form->Chart2->Draw();
    gap();
    loading += std::chrono::duration<double, std::milli>(loaded - start).count();
    drawing += std::chrono::duration<double, std::milli>(Clock::now() - loaded).count();
  }
  pulse.stop();
  state.counters["files"] = files;
  state.counters["exercises"] = form->srErrors->Count();
  state.counters["load_ms"] = loading / state.iterations();
  state.counters["draw_ms"] = drawing / state.iterations();
  state.counters["longest_ms_without_messages"] = longest;
}
BENCHMARK(BM_LoadAYearOfDailyRuns)->Unit(benchmark::kMillisecond)->Iterations(5);

// One file of `megabytes` of exercise lines of `keys` keystrokes each (0: "*" lines only).
void BM_LoadOneLargeFile(benchmark::State& state) {
  GuiApplication();
  Installation program;
  // The box of a refused file is answered at once.
  MessageBoxes boxes;
  TempDir::Write(program.getCoursesDir() + "/English.Base", "");
  TUser* user = program.root().getUsers()->Add("Anna");
  program.root().getCourses()->Load();
  TCourse* course = program.root().getCourses()->getCourse("English");
  const std::string folder = user->getStatisticFolder(course->getName());
  std::filesystem::create_directories(folder);
  const int64_t bytes = state.range(0) << 20;
  const int keys = static_cast<int>(state.range(1));
  {
    std::ofstream file(folder + "/2026-06-01-10-00-00.stat", std::ios::binary);
    std::string exercise = "*\r\n";
    for (int key = 0; key < keys; ++key)
      exercise += std::to_string(150 + key * 37 % 200) + "\t" + char('a' + key % 26) + "\t" +
                  char('a' + key % 26) + "\t\r\n";
    for (int64_t written = 0; written < bytes; written += exercise.size()) file << exercise;
  }
  TOwnedPtr<TUserStatisticForm> form(new TUserStatisticForm(nullptr, user, course));
  form->Show();
  double loading = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    // A file beyond what a load keeps stops the load with the file error.
    Application->Dispatch(form.get(), [&] { form->acLoadDataExecute(nullptr); });
    loading += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["exercises"] = form->srErrors->Count();
  state.counters["load_ms"] = loading / state.iterations();
  state.counters["peak_rss_mb"] = usage.ru_maxrss / 1024.0;
}
BENCHMARK(BM_LoadOneLargeFile)
    ->Args({200, 2000})
    ->Args({3, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
