// The real program on an X server of its own, as a person meets its windows: keys and the mouse
// come from xdotool, and what the windows show is read from screenshots of the screen. Each
// test starts from an empty data folder, so the new-user window comes first. Skipped where
// Xvfb, xdotool or ImageMagick's import is missing.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <QRect>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "support/contrast.h"
#include "support/tempdir.h"
#include "support/xvfb.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class ProgramX11Test : public testing::Test {
protected:
  explicit ProgramX11Test(const std::string& screen = "1024x768x24") : x(screen) {}

  void SetUp() override {
    if (x.Display().empty() || std::system("command -v xdotool import >/dev/null") != 0)
      GTEST_SKIP() << "no Xvfb, xdotool or import";
    fs::copy(LOMTAK_DIST_DIR, folder / "prog", fs::copy_options::recursive);
    fs::remove_all(folder / "prog/Users");
    fs::remove(folder / "prog/Lomtak.ini");
  }
  void TearDown() override {
    if (program > 0) {
      kill(program, SIGTERM);
      waitpid(program, nullptr, 0);
    }
    if (windowManager > 0) {
      kill(windowManager, SIGTERM);
      waitpid(windowManager, nullptr, 0);
    }
  }

  // Runs the command on the test's server, in the test's folder, with these settings besides.
  // Everything is made before the fork: the child of a process with threads may only exec.
  pid_t Start(const std::vector<std::string>& command,
              const std::vector<std::string>& settings = {}) {
    std::vector<std::string> words = {"env", "DISPLAY=" + x.Display(), "QT_QPA_PLATFORM=xcb",
                                      "SDL_AUDIODRIVER=dummy"};
    words.insert(words.end(), settings.begin(), settings.end());
    words.insert(words.end(), command.begin(), command.end());
    std::vector<char*> arguments;
    for (std::string& word : words) arguments.push_back(word.data());
    arguments.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
      const int quiet = open("/dev/null", O_WRONLY);
      if (quiet < 0 || dup2(quiet, STDERR_FILENO) < 0 || chdir(folder.path().c_str()) != 0)
        _exit(126);
      execvp(arguments[0], arguments.data());
      _exit(127);
    }
    return pid;
  }
  void StartProgram(const std::vector<std::string>& settings = {}) {
    program = Start({folder / "prog/lomtak"}, settings);
  }
  // A window manager, once it has taken the screen.
  bool StartWindowManager() {
    if (std::system("command -v openbox >/dev/null") != 0) return false;
    windowManager = Start({"openbox"});
    return Soon([&] {
      return Output("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") != std::string::npos;
    });
  }

  std::string Output(const std::string& command) const {
    FILE* pipe = popen(("DISPLAY=" + x.Display() + " " + command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return "";
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    pclose(pipe);
    return output;
  }
  void Do(const std::string& xdotool) const { x.Run("xdotool " + xdotool + " >/dev/null 2>&1"); }

  static bool Soon(const std::function<bool()>& done, int tries = 200) {
    for (int i = 0; i < tries; ++i) {
      if (done()) return true;
      std::this_thread::sleep_for(50ms);
    }
    return false;
  }
  std::string FocusedName() const { return Output("xdotool getwindowfocus getwindowname"); }
  // Until the window of that title has the focus, or the tries (of 50 ms) are over.
  bool Focused(const std::string& title, int tries = 200) const {
    return Soon([&] { return FocusedName() == title + "\n"; }, tries);
  }
  bool Ended() {
    int status = 0;
    if (!Soon([&] { return waitpid(program, &status, WNOHANG) == program; })) return false;
    program = -1;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  // The place of the focused window on the screen.
  QRect FocusedGeometry() const {
    const std::string shell = Output("xdotool getwindowfocus getwindowgeometry --shell");
    auto value = [&](const std::string& name) {
      const size_t at = shell.find(name + "=");
      return at == std::string::npos ? -1 : std::atoi(shell.c_str() + at + name.size() + 1);
    };
    return QRect(value("X"), value("Y"), value("WIDTH"), value("HEIGHT"));
  }
  QImage Screen() const {
    const std::string file = folder / "screen.png";
    x.Run("import -window root " + file);
    return QImage(QString::fromStdString(file));
  }
  // The first screen that `shows` holds for, or the last one taken when none did.
  QImage ScreenWhere(const std::function<bool(const QImage&)>& shows) const {
    QImage screen;
    Soon([&] { return shows(screen = Screen()); });
    return screen;
  }
  // The screen once it has stopped changing, with a window drawn at `inside`.
  QImage SettledScreen(QPoint inside) const {
    QImage before;
    return ScreenWhere([&](const QImage& now) {
      return now == std::exchange(before, now) && now.pixel(inside) != qRgb(0, 0, 0);
    });
  }
  // From the first start: a user made with a name only, and the login window up.
  bool ToTheLogin() {
    if (!Focused("AddNewUserForm")) return false;
    Do("type Anna");
    Do("key Return");
    return Focused("Lomtak Login");
  }
  // Drags the focused window by its background (200, 40 from its corner) by that much: the
  // point gripped stays under the pointer, however late the window manager starts, and the
  // window stays where it was dropped.
  void ExpectADragKeepsTheGrip(QPoint by) {
    const QRect before = FocusedGeometry();
    const QPoint dropped = before.topLeft() + by;
    auto there = [&] { return (FocusedGeometry().topLeft() - dropped).manhattanLength() <= 2; };
    auto where = [&] {
      const QRect now = FocusedGeometry();
      return "the window stands at " + std::to_string(now.left()) + ", " +
             std::to_string(now.top()) + " instead of " + std::to_string(dropped.x()) + ", " +
             std::to_string(dropped.y());
    };
    Do("mousemove " + std::to_string(before.left() + 200) + " " +
       std::to_string(before.top() + 40));
    Do("mousedown 1");
    const std::string step =
        "mousemove_relative -- " + std::to_string(by.x() / 10) + " " + std::to_string(by.y() / 10);
    for (int steps = 0; steps < 10; ++steps) Do(step);
    // A window manager that took the move after the last step sees the pointer only as it
    // moves again.
    ASSERT_TRUE(Soon([&] {
      Do("mousemove_relative -- 1 0 mousemove_relative -- -1 0");
      return there();
    })) << where();
    Do("mouseup 1");
    // Whatever the release sets off comes soon after it: ten looks in a row find the window
    // where it was dropped.
    int looks = 0;
    EXPECT_TRUE(Soon([&] { return (looks = there() ? looks + 1 : 0) == 10; }))
        << where() << " after the release";
  }

  XvfbDisplay x;
  TempDir folder;
  pid_t program = -1, windowManager = -1;
};

// The avatar box's list opens below the box, no higher than a few rows, and while it is open
// Enter picks an avatar and Esc closes the list: the window neither tries to create the user
// nor closes.
TEST_F(ProgramX11Test, TheOpenAvatarListKeepsEnterAndEscFromTheWindow) {
  StartProgram();
  ASSERT_TRUE(Focused("AddNewUserForm"));
  const QRect window = FocusedGeometry();
  // The box (12, 84, 57, 26 in the window), and where its list opens, below it.
  const QRect box(window.left() + 12, window.top() + 84, 57, 26);
  const QRect list(box.left(), box.bottom() + 4, box.width(), 100);
  Do("key shift+Tab");
  const QImage closed = SettledScreen(window.center());
  auto listOpen = [&](const QImage& screen) { return screen.copy(list) != closed.copy(list); };
  auto listClosed = [&](const QImage& screen) { return !listOpen(screen); };

  Do("key alt+Down");
  const QImage open = ScreenWhere(listOpen);
  ASSERT_TRUE(listOpen(open)) << "the list did not open";
  // Above the window the screen stays bare: no column of avatars from top to bottom.
  EXPECT_EQ(open.pixel(window.left() + 40, window.top() / 2), qRgb(0, 0, 0));
  Do("key Down Return");
  const QImage picked = ScreenWhere([&](const QImage& screen) {
    return listClosed(screen) && screen.copy(box) != closed.copy(box);
  });
  ASSERT_TRUE(listClosed(picked)) << "the list stayed open";
  EXPECT_NE(picked.copy(box), closed.copy(box)) << "the box shows the avatar it showed before";
  EXPECT_FALSE(Focused("Lomtak", 20)) << "a message box came up";
  EXPECT_EQ(FocusedName(), "AddNewUserForm\n");

  Do("key alt+Down");
  ASSERT_TRUE(listOpen(ScreenWhere(listOpen))) << "the list did not open again";
  Do("key Escape");
  EXPECT_TRUE(listClosed(ScreenWhere(listClosed))) << "the list stayed open";
  // The window is still there: its list opens once more.
  Do("key alt+Down");
  EXPECT_TRUE(listOpen(ScreenWhere(listOpen))) << "the window went with the list";
  Do("key Escape");
  EXPECT_TRUE(listClosed(ScreenWhere(listClosed))) << "the list stayed open";
  // With the list closed, Esc closes the window, and at the first start the program ends.
  Do("key Escape");
  EXPECT_TRUE(Ended());
}

// No row of the login list looks chosen at first; Down chooses the only user, and Enter starts
// it.
TEST_F(ProgramX11Test, TheLoginListChoosesARowWithTheArrowKeys) {
  StartProgram();
  ASSERT_TRUE(ToTheLogin());
  const QRect window = FocusedGeometry();
  // The right end of the first row, clear of its text.
  const QPoint row(window.left() + 11 + 300, window.top() + 92 + 10);
  const QRgb white = qRgb(255, 255, 255);
  EXPECT_EQ(SettledScreen(window.center()).pixel(row), white) << "the row looks chosen";
  Do("key Down");
  const QImage chosen =
      ScreenWhere([&](const QImage& screen) { return screen.pixel(row) != white; });
  EXPECT_NE(chosen.pixel(row), white) << "the row was not chosen";
  Do("key Return");
  EXPECT_TRUE(Focused("Start"));
}

// Under a window manager, a drag of the login window's background moves the window with the
// pointer: the point gripped stays under it.
TEST_F(ProgramX11Test, ADraggedWindowKeepsItsGripUnderThePointer) {
  if (!StartWindowManager()) GTEST_SKIP() << "no openbox";
  StartProgram();
  ASSERT_TRUE(ToTheLogin());
  ExpectADragKeepsTheGrip(QPoint(100, 50));
}

// The notice line of the start window is white: the band of the picture under it is dark
// enough for white text to be read (WCAG's 4.5 to 1), whichever picture the day shows.
TEST_F(ProgramX11Test, TheStartWindowsNoticeLineStandsOnADarkBand) {
  StartProgram();
  ASSERT_TRUE(ToTheLogin());
  Do("key Down Return");
  ASSERT_TRUE(Focused("Start"));
  const QRect window = FocusedGeometry();
  const QImage screen = SettledScreen(window.center());
  // Beside the notice, under its line, to the right edge of the picture.
  double lightest = 0;
  for (int y = window.top() + 287; y < window.top() + 301; ++y)
    for (int x = window.left() + 440; x < window.left() + 790; ++x)
      lightest = std::max(lightest, Luminance(screen.pixel(x, y)));
  EXPECT_GE(ContrastWithWhite(lightest), 4.5);
}

// The statistics window of a user on the training screen, over a statistics file of the given
// exercises of `keys` keystrokes each (written to both shipped courses' folders before F9);
// without and with a window manager.
class StatisticsX11Test : public ProgramX11Test, public testing::WithParamInterface<bool> {
protected:
  void SetUp() override {
    ProgramX11Test::SetUp();
    if (IsSkipped()) return;
    if (GetParam() && !StartWindowManager()) GTEST_SKIP() << "no openbox";
  }
  bool ToTheStatistics(int exercises, int keys) {
    StartProgram();
    if (!ToTheLogin()) return Failed("no login window");
    Do("key Down Return");
    if (!Focused("Start")) return Failed("no start window");
    Do("key Return");
    // The manual comes first at a user's first training.
    if (Focused("Lomtak", 100)) Do("key Escape");
    if (!Focused(" ")) return Failed("no training screen");
    std::string exercise = "*\r\n";
    for (int key = 0; key < keys; ++key)
      exercise += std::to_string(150 + key * 37 % 200) + "\t" + char('a' + key % 26) + "\t" +
                  char('a' + key % 26) + "\t\r\n";
    for (const char* course : {"English", "Russian"}) {
      const fs::path statistics = fs::path(folder / "prog/Users/Anna") / course / "Statistic";
      fs::create_directories(statistics);
      std::ofstream file(statistics / "2026-06-01-10-00-00.stat", std::ios::binary);
      for (int written = 0; written < exercises; ++written) file << exercise;
    }
    Do("key F9");
    return Focused("Anna: English") || Failed("no statistics window");
  }
  bool Failed(const std::string& what) {
    ADD_FAILURE() << what << "; the focus is on \"" << FocusedName() << "\"";
    return false;
  }
  static double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
};

// A termination signal while the window loads a 200 MB file ends the program then, not after
// the load (which took 13 s when messages were let through only between files).
TEST_P(StatisticsX11Test, ASignalEndsTheProgramWhileALargeFileLoads) {
  // 10,000 exercises of 2,000 keystrokes: some 200 MB.
  ASSERT_TRUE(ToTheStatistics(10000, 2000));
  const auto signalled = std::chrono::steady_clock::now();
  kill(program, SIGTERM);
  EXPECT_TRUE(Ended());
  const double seconds = Since(signalled);
  RecordProperty("seconds_from_signal_to_exit", std::to_string(seconds));
  std::printf("from SIGTERM to the end of the program: %.2f s\n", seconds);
}

// Esc while the window loads a 200 MB file closes it then, back to the training screen.
TEST_P(StatisticsX11Test, EscClosesTheWindowWhileALargeFileLoads) {
  ASSERT_TRUE(ToTheStatistics(10000, 2000));
  const auto pressed = std::chrono::steady_clock::now();
  Do("key Escape");
  EXPECT_TRUE(Focused(" "));
  const double seconds = Since(pressed);
  RecordProperty("seconds_from_esc_to_the_training_screen", std::to_string(seconds));
  std::printf("from Esc to the training screen: %.2f s\n", seconds);
}

// Up in the X-axis box reloads the charts by keystrokes, and the box keeps the focus: Down then
// takes it back to minutes, and the box shows what it showed before.
TEST_P(StatisticsX11Test, TheXAxisBoxKeepsTheFocusThroughAReload) {
  // The box is found by its place in the window, which a window manager's frame moves.
  if (GetParam()) GTEST_SKIP() << "the box's place is known without a window manager only";
  ASSERT_TRUE(ToTheStatistics(20, 50));
  const QRect window = FocusedGeometry();
  // The box, below the page's tab and the label above it.
  const QRect box(window.left() + 212, window.top() + 50, 196, 24);
  Do("mousemove " + std::to_string(box.center().x()) + " " + std::to_string(box.center().y()) +
     " click 1");
  // The click opens the box's list; Esc closes it and leaves the focus on the box.
  Do("key Escape");
  // The box alone: the training screen's cursor blinks behind the window.
  auto shown = [&] { return Screen().copy(box); };
  QImage minutes, before;
  Soon([&] { return (minutes = shown()) == std::exchange(before, minutes); });
  Do("key Up");
  QImage now;
  ASSERT_TRUE(Soon([&] { return (now = shown()) != minutes; })) << "Up did not change the X axis";
  Do("key Down");
  EXPECT_TRUE(Soon([&] { return shown() == minutes; }))
      << "Down went elsewhere: the box lost the focus";
  EXPECT_EQ(FocusedName(), "Anna: English\n") << "a window closed";
}

INSTANTIATE_TEST_SUITE_P(WindowManager, StatisticsX11Test, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? "openbox" : "none";
                         });

// Shift+F10 opens the login list's menu as the menu key does.
TEST_F(ProgramX11Test, ShiftF10AndTheMenuKeyOpenTheLoginListsMenu) {
  StartProgram();
  ASSERT_TRUE(ToTheLogin());
  const QRect window = FocusedGeometry();
  Do("key Down");
  const QImage closed = SettledScreen(window.center());
  for (const char* keys : {"shift+F10", "Menu"}) {
    SCOPED_TRACE(keys);
    Do(std::string("key ") + keys);
    const QImage open = ScreenWhere([&](const QImage& screen) { return screen != closed; });
    EXPECT_NE(open, closed) << "no menu";
    Do("key Escape");
    EXPECT_EQ(ScreenWhere([&](const QImage& screen) { return screen == closed; }), closed);
    EXPECT_TRUE(Focused("Lomtak Login"));
  }
}

// Two monitors side by side, the program's windows at twice the size: X's pixels and the
// program's differ by more than the scale on the right one.
class ProgramOnTwoMonitorsX11Test : public ProgramX11Test {
protected:
  ProgramOnTwoMonitorsX11Test() : ProgramX11Test("2048x768x24") {}

  void SetUp() override {
    ProgramX11Test::SetUp();
    if (IsSkipped()) return;
    if (std::system("command -v xrandr >/dev/null") != 0) GTEST_SKIP() << "no xrandr";
    ASSERT_TRUE(x.Run("xrandr --setmonitor left 1024/270x768/203+0+0 screen >/dev/null 2>&1") &&
                x.Run("xrandr --setmonitor right 1024/270x768/203+1024+0 none >/dev/null 2>&1"));
  }
};

// A drag on the right monitor keeps its grip as on the left one.
TEST_F(ProgramOnTwoMonitorsX11Test, ADraggedWindowOnTheRightMonitorKeepsItsGrip) {
  if (!StartWindowManager()) GTEST_SKIP() << "no openbox";
  StartProgram({"QT_SCALE_FACTOR=2"});
  ASSERT_TRUE(ToTheLogin());
  const QRect window = FocusedGeometry();
  Do("getwindowfocus windowmove 1200 " + std::to_string(window.top()));
  ASSERT_TRUE(Soon([&] { return FocusedGeometry().left() == 1200; }));
  ExpectADragKeepsTheGrip(QPoint(100, 50));
}

}  // namespace
