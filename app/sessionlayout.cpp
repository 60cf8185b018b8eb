#include "app/sessionlayout.h"

#include <algorithm>

namespace {

constexpr TSize TestSizes[TestResolutionCount] = {
    {320, 240},   {640, 480},   {800, 600},  {1024, 600},  {1024, 768},  {1152, 864},  {1280, 800},
    {1280, 1024}, {1400, 1050}, {1440, 900}, {1600, 1200}, {1680, 1050}, {1920, 1200},
};

// The keyboard never grows wider than this, and keeps this much room at the sides.
constexpr int KeyboardMaxWidth = 1200;
constexpr int KeyboardSideRoom = 50;
// Room kept under the keyboard above the status line.
constexpr int KeyboardBottomRoom = 80;

}  // namespace

int ClampTestResolution(int index) { return std::clamp(index, 0, TestResolutionCount - 1); }

TSize TestResolutionSize(int index) { return TestSizes[ClampTestResolution(index)]; }

TWorkspace CompileWorkspace(bool test, int testResolution, TSize screen, TSize client,
                            TWorkspaceViews& views) {
  TWorkspace result;
  const TSize base = test ? TestResolutionSize(testResolution) : screen;
  // C++ division truncates toward zero, so a base larger than the window overhangs equally.
  result.Base = Bounds((client.cx - base.cx) / 2, (client.cy - base.cy) / 2, base.cx, base.cy);

  const int frame = test ? 1 : 0;
  const int W = base.cx - 2 * frame, H = base.cy - 2 * frame;
  result.Work = Bounds(frame, frame, W, H);
  views.PlacePanels(result.Base, result.Work);

  const int statusHeight = views.FitStatusBar(W);
  result.StatusBar = Bounds(0, H - statusHeight, W, statusHeight);

  const int taskHeight = views.FitTask(W, H / 10);
  const int taskTop = H / 3 - taskHeight / 2;
  result.Task = Bounds(0, taskTop, W, taskHeight);

  const int room =
      static_cast<int>((H - taskTop) - 1.5 * taskHeight - KeyboardBottomRoom - statusHeight);
  const TSize keyboard = views.FitKeyboard(std::min(W - KeyboardSideRoom, KeyboardMaxWidth), room);
  const int keyboardLeft = (W - keyboard.cx) / 2;
  const int keyboardTop = room - taskHeight < keyboard.cy
                              ? static_cast<int>(taskTop + (taskHeight + 1) * 1.5)
                              : taskTop + 2 * taskHeight;
  result.Keyboard = Bounds(keyboardLeft, keyboardTop, keyboard.cx, keyboard.cy);

  const int panelWidth = static_cast<int>(keyboard.cx * 0.4);
  const int panelHeight = keyboard.cy / 2;
  const int panelLeft = keyboardLeft + keyboard.cx - panelWidth;
  const int panelTop = taskTop - (taskHeight + 1) < panelHeight
                           ? (taskTop - panelHeight) / 2
                           : taskTop - panelHeight - (taskHeight + 1) / 2;
  result.TaskStatistic = Bounds(panelLeft, panelTop, panelWidth, panelHeight);
  return result;
}
