// The real program on an X server of its own, as a person meets its windows: keys and the mouse
// come from xdotool, and what the windows show is read from screenshots of the screen. Each
// test starts from an empty data folder, so the new-user window comes first. Skipped where
// Xvfb, xdotool or ImageMagick's import is missing.

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
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support/contrast.h"
#include "support/tempdir.h"
#include "support/xvfb.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class ProgramX11Test : public testing::Test {
protected:
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

  pid_t Start(const std::vector<std::string>& command) {
    const pid_t pid = fork();
    if (pid == 0) {
      setenv("DISPLAY", x.Display().c_str(), 1);
      setenv("QT_QPA_PLATFORM", "xcb", 1);
      setenv("SDL_AUDIODRIVER", "dummy", 1);
      if (chdir(folder.path().c_str()) != 0) _exit(126);
      freopen("/dev/null", "w", stderr);
      std::vector<char*> arguments;
      for (const std::string& word : command) arguments.push_back(const_cast<char*>(word.c_str()));
      arguments.push_back(nullptr);
      execvp(arguments[0], arguments.data());
      _exit(127);
    }
    return pid;
  }
  void StartProgram() { program = Start({folder / "prog/lomtak"}); }
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
  // What the screen shows once the windows have drawn.
  QImage Screen() const {
    std::this_thread::sleep_for(400ms);
    const std::string file = folder / "screen.png";
    x.Run("import -window root " + file);
    return QImage(QString::fromStdString(file));
  }
  // From the first start: a user made with a name only, and the login window up.
  bool ToTheLogin() {
    if (!Focused("AddNewUserForm")) return false;
    Do("type Anna");
    Do("key Return");
    return Focused("Lomtak Login");
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
  Do("key shift+Tab");
  Do("key alt+Down");
  const QImage open = Screen();
  // Above the window the screen stays bare: no column of avatars from top to bottom.
  EXPECT_EQ(open.pixel(window.left() + 40, window.top() / 2), qRgb(0, 0, 0));
  Do("key Down Return");
  EXPECT_FALSE(Focused("Lomtak", 20)) << "a message box came up";
  EXPECT_EQ(FocusedName(), "AddNewUserForm\n");
  Do("key alt+Down");
  Do("key Escape");
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(FocusedName(), "AddNewUserForm\n");
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
  const int rowX = window.left() + 11 + 300, rowY = window.top() + 92 + 10;
  EXPECT_EQ(Screen().pixel(rowX, rowY), qRgb(255, 255, 255)) << "the row looks chosen";
  Do("key Down");
  EXPECT_NE(Screen().pixel(rowX, rowY), qRgb(255, 255, 255)) << "the row was not chosen";
  Do("key Return");
  EXPECT_TRUE(Focused("Start"));
}

// Under a window manager, a drag of the login window's background moves the window with the
// pointer: the point gripped stays under it.
TEST_F(ProgramX11Test, ADraggedWindowKeepsItsGripUnderThePointer) {
  if (!StartWindowManager()) GTEST_SKIP() << "no openbox";
  StartProgram();
  ASSERT_TRUE(ToTheLogin());
  const QRect before = FocusedGeometry();
  Do("mousemove " + std::to_string(before.left() + 200) + " " + std::to_string(before.top() + 40));
  Do("mousedown 1");
  for (int step = 0; step < 10; ++step) Do("mousemove_relative -- 10 5 sleep 0.03");
  Do("mouseup 1");
  std::this_thread::sleep_for(300ms);
  const QRect after = FocusedGeometry();
  EXPECT_NEAR(after.left(), before.left() + 100, 2);
  EXPECT_NEAR(after.top(), before.top() + 50, 2);
}

// The notice line of the start window is white: the band of the picture under it is dark
// enough for white text to be read (WCAG's 4.5 to 1), whichever picture the day shows.
TEST_F(ProgramX11Test, TheStartWindowsNoticeLineStandsOnADarkBand) {
  StartProgram();
  ASSERT_TRUE(ToTheLogin());
  Do("key Down Return");
  ASSERT_TRUE(Focused("Start"));
  const QRect window = FocusedGeometry();
  const QImage screen = Screen();
  // Beside the notice, under its line, to the right edge of the picture.
  double lightest = 0;
  for (int y = window.top() + 287; y < window.top() + 301; ++y)
    for (int x = window.left() + 440; x < window.left() + 790; ++x)
      lightest = std::max(lightest, Luminance(screen.pixel(x, y)));
  EXPECT_GE(ContrastWithWhite(lightest), 4.5);
}

}  // namespace
