// The training views on a 1920 x 1200 screen: every key recomposes the task display from its
// strips, every second repaints the status line, and every line's end takes the next wallpaper,
// which must cost the typist no visible pause.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/ttask.h"
#include "tests/support/tempdir.h"
#include "toolkit/gui/application.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/jpegimage.h"
#include "views/tltkeyboard.h"
#include "views/tltstatusbar.h"
#include "views/tlttaskvisualizer.h"
#include "views/twallpaper.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1200;
constexpr char kLine[] = "lorem ipsum dolor sit amet consectetur adipiscing elit sed do eiusm";

// One application for the run, headless, with the fonts the views are fitted in.
void StartApplication() {
  static TApplication* application = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char program[] = "views_bench";
    static char* argv[] = {program, nullptr};
    return new TApplication(argc, argv);
  }();
  (void)application;
}

// Times every pass of `step` on its own and reports the median and the 99th percentile in
// microseconds beside the mean that the benchmark itself gives; `prepare` runs untimed first.
template <typename Step>
void TimeEachPass(benchmark::State& state, Step step, const std::function<void()>& prepare = {}) {
  std::vector<double> times;
  for (auto _ : state) {
    if (prepare) {
      state.PauseTiming();
      prepare();
      state.ResumeTiming();
    }
    auto start = std::chrono::steady_clock::now();
    step();
    times.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(times.begin(), times.end());
  if (times.empty()) return;
  state.counters["median_us"] = times[times.size() / 2];
  state.counters["p99_us"] = times[std::min(times.size() - 1, times.size() * 99 / 100)];
}

// The bytes one composition moves: the frame, the task strip, the typed part twice, the sight
// box, and the composite drawn on the control, all 32-bit pixels.
size_t CompositionBytes(TLTTaskVisualizer& view, int typedWidth) {
  const size_t lineHeight = view.Font()->Height(), width = kWidth;
  const size_t height = view.Height();
  return 4 * (2 * width * height + width * lineHeight + 2 * typedWidth * lineHeight +
              width / sizeof(kLine) * lineHeight);
}

struct TaskDisplay {
  TaskDisplay() {
    StartApplication();
    view.reset(new TLTTaskVisualizer(nullptr));
    view->AttachTask(&task);
    view->setWidth(kWidth);
    view->Show();
    task.Text = kLine;
    view->setMaxHeight(kHeight / 10);
  }
  TTask task{nullptr};
  TOwnedPtr<TLTTaskVisualizer> view;
};

void BM_TaskDisplayKey(benchmark::State& state) {
  TaskDisplay display;
  const int length = sizeof(kLine) - 1;
  int key = 0;
  TimeEachPass(state, [&] {
    display.task.Position = 1 + key++ % (length - 1);
    display.view->PaintCurrentPosition();
  });
  state.counters["bytes"] = static_cast<double>(CompositionBytes(*display.view, kWidth / 2));
}
BENCHMARK(BM_TaskDisplayKey);

// A plain copy of as many bytes as one key's composition moves, for comparison.
void BM_PlainCopyOfAKeysBytes(benchmark::State& state) {
  TaskDisplay display;
  const size_t bytes = CompositionBytes(*display.view, kWidth / 2);
  std::vector<char> from(bytes, 1), to(bytes);
  TimeEachPass(state, [&] {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::ClobberMemory();
  });
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PlainCopyOfAKeysBytes);

void BM_StatusLinePaint(benchmark::State& state) {
  StartApplication();
  TOwnedPtr<TLTStatusBar> bar(new TLTStatusBar(nullptr));
  bar->setWidth(kWidth);
  bar->Show();
  bar->AdjustOptimalSize(50, 117);
  bar->setPlaceholder("USERNAME", "Anna");
  bar->setPlaceholder("SPEED", "254");
  bar->setPlaceholder("TIME", "00:12:34");
  bar->setText(
      "<color value=#EEEEEE>[USERNAME]</color> <b>English</b> <color value=#EEEEEE>F1:</color>"
      "Help <color value=#EEEEEE>F2:</color>Metronome <color value=#EEEEEE>F3:</color>Keyboard "
      "<space/><i>Speed:</i> [SPEED] <i>Time:</i> [TIME]");
  TimeEachPass(state, [&] { bar->Paint(); });
}
BENCHMARK(BM_StatusLinePaint);

const std::string kDusk = std::string(LOMTAK_DIST_DIR) + "/Environment/Wallpapers/Dusk.jpg";

// A camera's photo of 6000 x 3750, larger than the screen, made once from a shipped wallpaper.
const std::string& Photo() {
  static TempDir folder;
  static const std::string photo = [] {
    const std::string file = folder / "Photo.jpg";
    QImage(QString::fromStdString(kDusk))
        .scaled(6000, 3750, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .save(QString::fromStdString(file), "JPEG", 90);
    return file;
  }();
  return photo;
}

// Next with the following picture already decoded: what the typist waits for at a line's end,
// the picture's copy and the paint. `shown` is the width the picture is decoded at.
void TimeNextDecoded(benchmark::State& state, const std::string& picture, int shown) {
  StartApplication();
  TempDir folder;
  std::filesystem::copy_file(picture, folder / "Picture.jpg");
  TOwnedPtr<TWallpaper> wallpaper(new TWallpaper(nullptr, folder.path()));
  wallpaper->SetBounds(0, 0, kWidth, kHeight);
  wallpaper->Show();
  TimeEachPass(
      state, [&] { wallpaper->Next(); }, [&] { wallpaper->Loader->WaitFor(); });
  if (wallpaper->Bitmap.Width() != shown) state.SkipWithError("the picture was not taken");
}

void BM_WallpaperNextDecoded(benchmark::State& state) { TimeNextDecoded(state, kDusk, kWidth); }
BENCHMARK(BM_WallpaperNextDecoded);

// Three eighths of the photo, 2250 x 1407, are the least that covers the screen.
void BM_WallpaperNextDecodedPhoto(benchmark::State& state) {
  TimeNextDecoded(state, Photo(), 2250);
}
BENCHMARK(BM_WallpaperNextDecodedPhoto);

// The loader's work for one switch to the photo: decoding it into a bitmap at full size
// (argument 0) or at the scale that covers the screen (1).
void BM_WallpaperPhotoDecode(benchmark::State& state) {
  StartApplication();
  TimeEachPass(state, [&] {
    TJPEGImage jpeg;
    if (state.range(0)) jpeg.setCoverArea({kWidth, kHeight});
    jpeg.LoadFromFile(Photo());
    TBitmap bitmap;
    bitmap.Assign(jpeg);
    benchmark::DoNotOptimize(bitmap.Image().constBits());
  });
}
BENCHMARK(BM_WallpaperPhotoDecode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One key event as the window system delivers it, through the keyboard hook to the keyboard's
// key event, whose handler moves the next-key mark as the training screen's does, with the
// pressed or released key and every changed key drawn again on the keyboard fitted to the screen.
void BM_KeyboardKeyEvent(benchmark::State& state) {
  StartApplication();
  TOwnedPtr<TForm> form(new TForm(nullptr));
  form->SetBounds(0, 0, kWidth, kHeight);
  auto* keyboard = new TLTKeyboard(form.get(), form.get());
  keyboard->StrechToSize(kWidth, kHeight / 2);
  keyboard->Show();
  form->Show();
  keyboard->setEnabled(true);
  keyboard->OnKeyboard = [&](uint32_t, int, int, char character, bool down) {
    if (down) keyboard->setCurrentChar(static_cast<char>(character == 'l' ? 'a' : character + 1));
    return false;
  };
  QWindow* window = form->Handle()->windowHandle();
  constexpr quint32 kHomeRow[] = {38, 39, 40, 41, 42, 43, 44, 45, 46};  // a to l
  ulong timestamp = 0;
  int event = 0;
  TimeEachPass(
      state,
      [&] {
        quint32 key = kHomeRow[(event / 2) % std::size(kHomeRow)];
        bool down = event++ % 2 == 0;
        if (down) {
          QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_A, Qt::NoModifier, key, 0, 0, "a");
          override.setTimestamp(++timestamp);
          QCoreApplication::sendEvent(window, &override);
        }
        QKeyEvent press(down ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier,
                        key, 0, 0, "a");
        press.setTimestamp(timestamp);
        QCoreApplication::sendEvent(window, &press);
      },
      [] { QCoreApplication::processEvents(); });
  state.counters["scale"] = keyboard->Scale();
}
BENCHMARK(BM_KeyboardKeyEvent);

}  // namespace
