#include "platform/gui/windowmove.h"

#include <QGuiApplication>
#include <QPoint>
#include <QWindow>

// After Qt's headers: X11's define names that Qt's use.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// The window manager's move with the pointer (_NET_WM_MOVERESIZE_MOVE), started by the first
// button, asked by a program for a person's press.
constexpr long kMoveDirection = 8;
constexpr long kFirstButton = 1;
constexpr long kAskedByProgram = 1;

bool Supports(Display* display, Atom feature) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
  if (XGetWindowProperty(display, DefaultRootWindow(display), supported, 0, 4096, False, XA_ATOM,
                         &type, &format, &count, &after, &data) != Success ||
      !data)
    return false;
  bool found = false;
  if (type == XA_ATOM && format == 32) {
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count && !found; ++i) found = atoms[i] == feature;
  }
  XFree(data);
  return found;
}

}  // namespace

bool StartWindowManagerMove(QWindow* window, const QPoint& grip) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  // Not Qt's own move on X11: at the button's release it sends the window manager a cancel of
  // the move, upon which openbox puts the window's corner under the pointer.
  if (!x11 || !x11->display()) return window->startSystemMove();
  Display* display = x11->display();
  const Atom moveResize = XInternAtom(display, "_NET_WM_MOVERESIZE", False);
  if (!Supports(display, moveResize)) return false;
  // The grip in X's pixels, from the window's own place: Qt's scaled screen coordinates are not
  // X's times the scale, as each monitor keeps its corner where X has it.
  const Window handle = static_cast<Window>(window->winId());
  const QPoint local = window->mapFromGlobal(grip) * window->devicePixelRatio();
  int x = 0, y = 0;
  Window child = None;
  if (!XTranslateCoordinates(display, handle, DefaultRootWindow(display), local.x(), local.y(), &x,
                             &y, &child))
    return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = handle;
  event.xclient.message_type = moveResize;
  event.xclient.format = 32;
  event.xclient.data.l[0] = x;
  event.xclient.data.l[1] = y;
  event.xclient.data.l[2] = kMoveDirection;
  event.xclient.data.l[3] = kFirstButton;
  event.xclient.data.l[4] = kAskedByProgram;
  // The press grabbed the pointer for this program; the window manager needs it.
  XUngrabPointer(display, CurrentTime);
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(display);
  return true;
}
