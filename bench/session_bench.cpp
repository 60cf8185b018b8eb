// The training screen at 1920 x 1200 (the largest test size), offscreen: one keystroke from the
// keyboard hook's event until every view has composed its picture, and one line completion
// (statistics saved, next wallpaper, result panel, new line, layout). Each iteration is timed
// alone; the median and the 99th percentile are reported as counters, in microseconds.
#include <benchmark/benchmark.h>

#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "app/gui/tsessionform.h"
#include "app/tlomtak.h"
#include "engine/tcourse.h"
#include "engine/tcourses.h"
#include "engine/ttask.h"
#include "foundation/tinioptions.h"
#include "platform/keycodes.h"
#include "tests/support/courses.h"
#include "tests/support/installation.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/application.h"
#include "toolkit/messagebox.h"
#include "users/tuser.h"
#include "users/tusers.h"
#include "views/tltkeyboard.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int ScLeftShift = 42, ScUp = -72;

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

// A fresh installation with the shipped course, wallpapers, sounds and themes, a user, and the
// screen shown at 1920 x 1200 with its first line.
class Session {
public:
  Session() {
    App();
    for (const char* file : {"English.Base", "English.Layout", "English.Info"})
      fs::copy_file(ShippedCourseFile(file), Program.getCoursesDir() + "/" + file);
    fs::create_directories(Program.getProgramDir() + "/Environment");
    for (const char* folder : {"Wallpapers", "Sounds", "Themes"})
      fs::copy(std::string(LOMTAK_DIST_DIR) + "/Environment/" + folder,
               Program.getProgramDir() + "/Environment/" + folder, fs::copy_options::recursive);
    User = Program.root().getUsers()->Add("Bench");
    User->getOptions()->WriteBool("IntroductionForm", "AutoShow", false);
    Course = Program.root().getCourses()->getCourse("English");
    Course->Load({});
    Form.reset(new TSessionForm(nullptr, Course, User));
    Form->getTask()->NewTask();
    Form->Show();
    Form->Handle()->activateWindow();
    for (int i = 0; i < 20 && !Form->Active(); ++i) {
      Application->ProcessMessages();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    for (int i = 0; i < 9; ++i) Event(ScUp, true);
  }

  bool ready() const { return Form->Active(); }

  bool Event(int scanCode, bool down) {
    Time += 150;
    return Form->getKeyboard()->CALLBACK_Keyboard(Time, scanCode,
                                                  VirtualKeyOfScanCode(scanCode), down);
  }
  // The key events that type the next character, press first; the press is timed.
  Clock::duration TypeNext() {
    TTask* task = Form->getTask();
    const char character = task->Text[task->Position];
    for (const auto& button : Form->getKeyboard()->Buttons) {
      const bool shifted = button->ShiftValue == character && button->Value != character;
      if (button->Value != character && !shifted) continue;
      if (shifted) Event(ScLeftShift, true);
      const Clock::time_point start = Clock::now();
      Event(button->ScanCode, true);
      const Clock::duration took = Clock::now() - start;
      Event(button->ScanCode, false);
      if (shifted) Event(ScLeftShift, false);
      return took;
    }
    return {};
  }
  bool LastOfLine() const {
    return Form->getTask()->Position + 1 >= static_cast<int32_t>(Form->getTask()->Text.size());
  }

  Installation Program;
  TUser* User = nullptr;
  TCourse* Course = nullptr;
  TOwnedPtr<TSessionForm> Form;
  uint32_t Time = 100000;
};

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
void TimeKeys(benchmark::State& state, const std::function<void(Session&)>& prepare) {
  Session session;
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
  TimeKeys(state, [](Session& session) {
    if (session.LastOfLine()) session.TypeNext();
  });
}
BENCHMARK(BM_Keystroke)->UseManualTime()->Iterations(3000)->Unit(benchmark::kMicrosecond);

// The key that completes a line. Before it the wallpaper's next picture has time to decode,
// as it has while a person types a line.
void BM_LineCompletion(benchmark::State& state) {
  TimeKeys(state, [](Session& session) {
    while (!session.LastOfLine()) session.TypeNext();
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
  });
}
BENCHMARK(BM_LineCompletion)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

}  // namespace
