// Plays a window manager's part where none runs, for the runs of the real program under Xvfb:
// marks the window as restored from its minimised state (WM_STATE NormalState), as a window
// manager does when the user restores it. Usage: restorewindow WINDOW-ID

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  Window window = std::strtoul(argv[1], nullptr, 0);
  Atom state = XInternAtom(display, "WM_STATE", False);
  long data[2] = {NormalState, None};
  XChangeProperty(display, window, state, state, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(data), 2);
  XCloseDisplay(display);
  return 0;
}
