#include "app/sessionlayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

// Found by argument lookup in the global namespace, where TRect lives.
std::ostream& operator<<(std::ostream& out, const TRect& r) {
  return out << "(" << r.Left << ", " << r.Top << ", " << r.Width() << " x " << r.Height() << ")";
}
bool operator==(const TRect& a, const TRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

namespace {

// Views as they size themselves: a status line of a fixed height, a task display of two text
// lines of the largest font its limit allows with its bands, and the built-in keyboard of
// 182 x 55 units at the largest whole scale that fits. Records what each was asked, and where
// the work panel stood when the status line, aligned in it, was fitted.
class ModelViews : public TWorkspaceViews {
public:
  void PlacePanels(const TRect& base, const TRect& work) override {
    Base = base;
    Work = work;
  }
  int FitStatusBar(int width) override {
    StatusWidth = width;
    WorkAtStatusFit = Work;
    return 24;
  }
  int FitTask(int width, int maxHeight) override {
    TaskWidth = width;
    TaskMaxHeight = maxHeight;
    return 2 * ((maxHeight - 1) / 2) + 1 + 8;
  }
  TSize FitKeyboard(int width, int height) override {
    KeyboardArea = {width, height};
    const int scale = std::max(0, std::min(width / 182, height / 55));
    return {182 * scale, 55 * scale};
  }

  TRect Base, Work, WorkAtStatusFit;
  int StatusWidth = 0, TaskWidth = 0, TaskMaxHeight = 0;
  TSize KeyboardArea;
};

TEST(SessionLayout, TestSizesAreClampedIntoTheTable) {
  struct Case {
    int index, clamped, width, height;
  } cases[] = {{-5, 0, 320, 240}, {0, 0, 320, 240},     {3, 3, 1024, 600},
               {4, 4, 1024, 768}, {12, 12, 1920, 1200}, {13, 12, 1920, 1200}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(ClampTestResolution(c.index), c.clamped);
    EXPECT_EQ(TestResolutionSize(c.index).cx, c.width);
    EXPECT_EQ(TestResolutionSize(c.index).cy, c.height);
  }
}

TEST(SessionLayout, PlacesTheViewsForTheTestSizesAndTheScreen) {
  struct Case {
    const char* name;
    bool test;
    int resolution;
    TSize screen, client;
    TRect base, work, status, task, keyboard, panel;
  } cases[] = {
      // clang-format off
      // The first test size: the keyboard has too little room below the task display and moves
      // up; the result panel has too little above it and is centred there.
      {"Test1024x600", true, 3, {1920, 1200}, {1920, 1200},
       Bounds(448, 300, 1024, 600), Bounds(1, 1, 1022, 598), Bounds(0, 574, 1022, 24),
       Bounds(0, 166, 1022, 67), Bounds(147, 268, 728, 220), Bounds(584, 28, 291, 110)},
      // Room to spare: the keyboard two task heights below the task top, the panel's bottom
      // (task height + 1) / 2 above the task display.
      {"Test1920x1200", true, 12, {1920, 1200}, {1920, 1200},
       Bounds(0, 0, 1920, 1200), Bounds(1, 1, 1918, 1198), Bounds(0, 1174, 1918, 24),
       Bounds(0, 336, 1918, 127), Bounds(413, 590, 1092, 330), Bounds(1069, 107, 436, 165)},
      // Too small for any keyboard scale: the keyboard and the panel shrink to nothing.
      {"Test320x240", true, 0, {1920, 1200}, {1920, 1200},
       Bounds(800, 480, 320, 240), Bounds(1, 1, 318, 238), Bounds(0, 214, 318, 24),
       Bounds(0, 64, 318, 31), Bounds(159, 112, 0, 0), Bounds(159, 48, 0, 0)},
      // A test size larger than the window overhangs it equally on both sides.
      {"TestLargerThanTheWindow", true, 12, {800, 600}, {800, 600},
       Bounds(-560, -300, 1920, 1200), Bounds(1, 1, 1918, 1198), Bounds(0, 1174, 1918, 24),
       Bounds(0, 336, 1918, 127), Bounds(413, 590, 1092, 330), Bounds(1069, 107, 436, 165)},
      // Without "/test" the work area is the screen, at (0, 0), without a frame; the index
      // chooses nothing.
      {"Screen1920x1200", false, 0, {1920, 1200}, {1920, 1200},
       Bounds(0, 0, 1920, 1200), Bounds(0, 0, 1920, 1200), Bounds(0, 1176, 1920, 24),
       Bounds(0, 337, 1920, 127), Bounds(414, 591, 1092, 330), Bounds(1070, 108, 436, 165)},
      // clang-format on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ModelViews views;
    const TWorkspace layout = CompileWorkspace(c.test, c.resolution, c.screen, c.client, views);
    EXPECT_EQ(layout.Base, c.base);
    EXPECT_EQ(layout.Work, c.work);
    EXPECT_EQ(layout.StatusBar, c.status);
    EXPECT_EQ(layout.Task, c.task);
    EXPECT_EQ(layout.Keyboard, c.keyboard);
    EXPECT_EQ(layout.TaskStatistic, c.panel);
    EXPECT_EQ(views.Base, c.base);
    EXPECT_EQ(views.WorkAtStatusFit, c.work) << "the status line fitted in the old work panel";
    EXPECT_EQ(views.StatusWidth, c.work.Width());
    EXPECT_EQ(views.TaskWidth, c.work.Width());
  }
}

TEST(SessionLayout, AsksTheViewsForTheirLimits) {
  struct Case {
    const char* name;
    TSize screen;
    int taskMaxHeight, keyboardWidth;
  } cases[] = {
      {"TaskLimitIsATenthOfTheHeight", {1280, 1024}, 102, 1200},
      {"KeyboardAtMost1200Wide", {1366, 768}, 76, 1200},
      {"KeyboardKeeps50AtTheSides", {1000, 700}, 70, 950},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ModelViews views;
    CompileWorkspace(false, 3, c.screen, c.screen, views);
    EXPECT_EQ(views.TaskMaxHeight, c.taskMaxHeight);
    EXPECT_EQ(views.KeyboardArea.cx, c.keyboardWidth);
  }
}

}  // namespace
