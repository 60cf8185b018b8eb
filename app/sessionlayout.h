#pragma once
// The arithmetic of the training screen's layout: the base and work panels for the screen or
// for one of the thirteen test sizes, and the places of the status line, the task display, the
// keyboard and the result panel on the work panel. Plain code: the views size themselves
// through TWorkspaceViews, which the training screen answers with its real views and a test
// with a model of them. Keeps nothing.

#include "toolkit/rect.h"

// How the views size themselves for the room they are given; each answer is read back after
// the view has sized itself, since every later step depends on it.
class TWorkspaceViews {
public:
  virtual ~TWorkspaceViews() = default;
  // Places the base and work panels, before any view is fitted: a view aligned in the work
  // panel takes its width from it.
  virtual void PlacePanels(const TRect& base, const TRect& work) = 0;
  // Fits the status line's font to the width; its height.
  virtual int FitStatusBar(int width) = 0;
  // Gives the task display the width and its height limit; its height.
  virtual int FitTask(int width, int maxHeight) = 0;
  // Scales the keyboard to fit the area; its size.
  virtual TSize FitKeyboard(int width, int height) = 0;
};

// Where everything goes: the base panel in the window's client area, the work panel in the
// base panel, the four views in the work panel.
struct TWorkspace {
  TRect Base;
  TRect Work;
  TRect StatusBar;
  TRect Task;
  TRect Keyboard;
  TRect TaskStatistic;
};

constexpr int TestResolutionCount = 13;
// The index kept within 0 to 12.
int ClampTestResolution(int index);
// The work area's size for a clamped index: 320 x 240 up to 1920 x 1200.
TSize TestResolutionSize(int index);

// `test`: the first command-line argument is "/test"; then the clamped `testResolution` picks
// the size and a one-pixel frame of the base panel surrounds the work area. Otherwise the work
// area is the primary screen's size.
TWorkspace CompileWorkspace(bool test, int testResolution, TSize screen, TSize client,
                            TWorkspaceViews& views);
