// What one keystroke on the training screen costs besides time: the key handler of a right key
// allocates no memory but what Qt takes to note the rectangles to repaint, and no key opens a
// file or lays anything out. Memory is counted at the C library's allocator, which this
// executable replaces (Qt allocates with malloc, not new); files at the C library's open and stat
// calls; layout as the resize and move events Qt delivers. Only the user-interface thread's calls
// count, and only while a key is handled.
#include <dlfcn.h>
#include <execinfo.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <stdarg.h>
#include <sys/stat.h>

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>

#include "support/guiapplication.h"
#include "support/trainingsession.h"

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
}

namespace {

std::atomic<bool> counting{false};
pthread_t countedThread;
std::atomic<int> allocations{0}, fileAccesses{0};

bool Counted() { return counting && pthread_equal(pthread_self(), countedThread); }

// Whether Qt's widget is noting a rectangle to repaint: its repaint manager keeps them in
// regions it allocates, and no toolkit can ask for a repaint without it.
bool InRepaintRequest() {
  // What the look itself allocates is not the key's.
  static bool looking = false;
  if (looking) return true;
  looking = true;
  void* frames[48];
  const int count = backtrace(frames, 48);
  bool found = false;
  for (int i = 0; i < count && !found; ++i) {
    Dl_info info;
    found = dladdr(frames[i], &info) && info.dli_sname &&
            (std::strcmp(info.dli_sname, "_ZN7QWidget6updateERK5QRect") == 0 ||
             std::strcmp(info.dli_sname, "_ZN7QWidget6updateEv") == 0);
  }
  looking = false;
  return found;
}

void CountAllocation() {
  if (Counted() && !InRepaintRequest()) ++allocations;
}

// The C library's own function of that name, called and counted as a file access.
template <class TFunction, class... TArguments>
auto Opened(const char* name, TArguments... arguments) {
  if (Counted()) ++fileAccesses;
  return reinterpret_cast<TFunction>(dlsym(RTLD_NEXT, name))(arguments...);
}

mode_t ModeOf(int flags, va_list rest) {
  return (flags & (O_CREAT | O_TMPFILE)) ? va_arg(rest, mode_t) : 0;
}

}  // namespace

extern "C" {

void* malloc(size_t size) {
  CountAllocation();
  return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
  CountAllocation();
  return __libc_calloc(count, size);
}
void* realloc(void* block, size_t size) {
  CountAllocation();
  return __libc_realloc(block, size);
}
void* memalign(size_t alignment, size_t size) {
  CountAllocation();
  return __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size) { return memalign(alignment, size); }
int posix_memalign(void** block, size_t alignment, size_t size) {
  *block = memalign(alignment, size);
  return *block ? 0 : ENOMEM;
}

int open(const char* path, int flags, ...) {
  va_list rest;
  va_start(rest, flags);
  const mode_t mode = ModeOf(flags, rest);
  va_end(rest);
  return Opened<int (*)(const char*, int, ...)>("open", path, flags, mode);
}
int open64(const char* path, int flags, ...) {
  va_list rest;
  va_start(rest, flags);
  const mode_t mode = ModeOf(flags, rest);
  va_end(rest);
  return Opened<int (*)(const char*, int, ...)>("open64", path, flags, mode);
}
int openat(int folder, const char* path, int flags, ...) {
  va_list rest;
  va_start(rest, flags);
  const mode_t mode = ModeOf(flags, rest);
  va_end(rest);
  return Opened<int (*)(int, const char*, int, ...)>("openat", folder, path, flags, mode);
}
FILE* fopen(const char* path, const char* mode) {
  return Opened<FILE* (*)(const char*, const char*)>("fopen", path, mode);
}
FILE* fopen64(const char* path, const char* mode) {
  return Opened<FILE* (*)(const char*, const char*)>("fopen64", path, mode);
}
int stat(const char* path, struct stat* status) {
  return Opened<int (*)(const char*, struct stat*)>("stat", path, status);
}
int access(const char* path, int mode) {
  return Opened<int (*)(const char*, int)>("access", path, mode);
}

}  // extern "C"

namespace {

// Counts the widgets' resizes and moves: a layout shows as these.
class TLayoutCounter : public QObject {
public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (Counted() && (event->type() == QEvent::Resize || event->type() == QEvent::Move ||
                      event->type() == QEvent::LayoutRequest))
      ++layouts;
    return false;
  }
  int layouts = 0;
};

struct TCosts {
  int Allocations = 0, FileAccesses = 0, Layouts = 0;
};

// What the key handler costs for the event `send`, after the screen has painted all before it.
TCosts CostOf(const std::function<void()>& send) {
  QApplication::processEvents();
  TLayoutCounter layouts;
  qApp->installEventFilter(&layouts);
  allocations = fileAccesses = 0;
  countedThread = pthread_self();
  counting = true;
  send();
  counting = false;
  qApp->removeEventFilter(&layouts);
  return {allocations, fileAccesses, layouts.layouts};
}

constexpr int kScBackspace = 14;

char WrongFor(char expected) { return expected == 'k' ? 'j' : 'k'; }

TEST(KeystrokeCost, ARightKeyAllocatesNothingAndNoKeyOpensOrLaysOut) {
  TrainingSession session;
  ASSERT_TRUE(session.ready());
  session.TakeTestSize(1920, 1200);
  TTask* task = session.Form->getTask();
  // A typist's keys once over, wrong ones and Backspaces among them: the keyboard keeps a
  // picture of each look of a key it has shown, and the first wrong keys fill caches of Qt's.
  for (int i = 0; i < 15; ++i) {
    if (i % 4 == 3) {
      session.Type(WrongFor(task->Text[task->Position]));
      session.Key(kScBackspace);
    }
    session.TypeNext();
  }
  // The first backtrace loads the unwinder, allocating.
  void* frame;
  backtrace(&frame, 1);
  task->Restart();
  for (int i = 0; i < 10; ++i) session.TypeNext();

  struct Case {
    const char* name;
    std::function<void()> send;
    bool allocates;  // draws a text, which Qt lays out anew at every drawing
  } cases[] = {
      {"right key", [&] { session.TypeNext(); }, false},
      {"wrong key", [&] { session.Type(WrongFor(task->Text[task->Position])); }, true},
      {"Backspace", [&] { session.Key(kScBackspace); }, true},
      {"right key after the wrong one", [&] { session.TypeNext(); }, false},
  };
  // The counters see what they count.
  QWidget probe(session.Form->Handle());
  probe.show();
  const TCosts seen = CostOf([&] {
    std::fclose(std::fopen("/dev/null", "r"));
    probe.resize(20, 20);
  });
  EXPECT_GT(seen.Allocations, 0);
  EXPECT_EQ(seen.FileAccesses, 1);
  EXPECT_GT(seen.Layouts, 0);
  probe.hide();

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TCosts costs = CostOf(c.send);
    if (!c.allocates) {
      EXPECT_EQ(costs.Allocations, 0);
    }
    EXPECT_EQ(costs.FileAccesses, 0);
    EXPECT_EQ(costs.Layouts, 0);
  }
}

}  // namespace
