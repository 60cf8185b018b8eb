#include "platform/gui/windowmanager.h"

#include <QGuiApplication>

// After Qt's headers: X11's define names that Qt's use.
#include <X11/Xlib.h>

bool WindowManagerRuns() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->display()) return true;
  // The window manager is the one client that takes over the mapping of the root's children.
  XWindowAttributes root{};
  Display* display = x11->display();
  return XGetWindowAttributes(display, DefaultRootWindow(display), &root) &&
         (root.all_event_masks & SubstructureRedirectMask) != 0;
}
