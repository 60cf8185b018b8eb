#include "xscreen.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

namespace {

// A window may go between an event and the question about it.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

int Milliseconds(Clock::duration duration) {
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(duration).count());
}

}  // namespace

TXScreen::TXScreen(int width, int height) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) throw std::runtime_error("no pipe");
  Server = fork();
  if (Server == 0) {
    close(pipeEnds[0]);
    const std::string fd = std::to_string(pipeEnds[1]);
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-noreset",
           "-nolisten", "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeEnds[1]);
  std::string number;
  char c;
  while (read(pipeEnds[0], &c, 1) == 1 && c != '\n') number += c;
  close(pipeEnds[0]);
  if (number.empty()) throw std::runtime_error("Xvfb did not start");
  DisplayName = ":" + number;
  Connection = XOpenDisplay(DisplayName.c_str());
  if (!Connection) throw std::runtime_error("cannot open " + DisplayName);
  XSetErrorHandler(IgnoreErrors);
  int event, error, major, minor;
  if (!XTestQueryExtension(Connection, &event, &error, &major, &minor))
    throw std::runtime_error("the X server has no XTest");
  if (!XDamageQueryExtension(Connection, &DamageEvents, &error))
    throw std::runtime_error("the X server has no XDamage");
  XDamageQueryVersion(Connection, &major, &minor);
  XSelectInput(Connection, DefaultRootWindow(Connection), SubstructureNotifyMask);
  // A key held while a loaded machine draws late would repeat into the program's log.
  XAutoRepeatOff(Connection);
  XSync(Connection, False);
}

TXScreen::~TXScreen() {
  if (Connection) XCloseDisplay(Connection);
  if (Server > 0) {
    kill(Server, SIGTERM);
    waitpid(Server, nullptr, 0);
  }
}

void TXScreen::Read(const XEvent& event, Clock::time_point at) {
  if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(Connection)) {
    Maps.push_back({at, event.xmap.window});
  } else if (event.type == DamageEvents + XDamageNotify) {
    const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
    Damages.push_back({at, damage.drawable, damage.area});
  }
}

bool TXScreen::ReadSome(Clock::time_point until) {
  bool read = false;
  while (XPending(Connection)) {
    XEvent event;
    XNextEvent(Connection, &event);
    Read(event, Clock::now());
    read = true;
  }
  const Clock::time_point now = Clock::now();
  if (read || now >= until) return read;
  pollfd wait{ConnectionNumber(Connection), POLLIN, 0};
  poll(&wait, 1, Milliseconds(until - now));
  // Stamped as soon as the connection has something: XPending reads it all at once.
  if (wait.revents & POLLIN) {
    const Clock::time_point at = Clock::now();
    while (XPending(Connection)) {
      XEvent event;
      XNextEvent(Connection, &event);
      Read(event, at);
      read = true;
    }
  }
  return read;
}

void TXScreen::Pump(Clock::time_point until) {
  do {
    ReadSome(until);
  } while (Clock::now() < until);
}

bool TXScreen::WaitUntil(const std::function<bool()>& done, Clock::duration timeout) {
  const Clock::time_point end = Clock::now() + timeout;
  while (!done()) {
    if (Clock::now() >= end) return false;
    // Back at each event that came, so that a key waiting for pixels goes at once, and every
    // 10 ms for what only a request shows (the focus).
    ReadSome(std::min(end, Clock::now() + std::chrono::milliseconds(10)));
  }
  return true;
}

void TXScreen::Watch(Window window) {
  Damaged.push_back(XDamageCreate(Connection, window, XDamageReportRawRectangles));
  XSync(Connection, False);
}

size_t TXScreen::FirstAfter(Clock::time_point after) const {
  return std::upper_bound(
             Damages.begin(), Damages.end(), after,
             [](Clock::time_point at, const TDamage& damage) { return at < damage.At; }) -
         Damages.begin();
}

bool TXScreen::Counts(const TDamage& damage, const TAreas& ignored) const {
  for (const XRectangle& area : ignored)
    if (area.x == damage.Area.x && area.y == damage.Area.y && area.width == damage.Area.width &&
        area.height == damage.Area.height)
      return false;
  return true;
}

std::optional<Clock::time_point> TXScreen::FirstDamage(Clock::time_point after,
                                                       Clock::duration timeout,
                                                       const TAreas& ignored) {
  size_t next = FirstAfter(after);
  std::optional<Clock::time_point> found;
  WaitUntil(
      [&] {
        for (; !found && next < Damages.size(); ++next)
          if (Counts(Damages[next], ignored)) found = Damages[next].At;
        return found.has_value();
      },
      timeout);
  return found;
}

Clock::time_point TXScreen::Quiet(Clock::time_point after, Clock::duration gap,
                                  Clock::duration timeout, const TAreas& ignored) {
  Clock::time_point last = after;
  size_t next = FirstAfter(after);
  WaitUntil(
      [&] {
        for (; next < Damages.size(); ++next)
          if (Counts(Damages[next], ignored)) last = Damages[next].At;
        return Clock::now() - last >= gap;
      },
      timeout);
  return last;
}

Window TXScreen::Focus() {
  Window focus = 0;
  int revert;
  XGetInputFocus(Connection, &focus, &revert);
  return focus == PointerRoot ? 0 : focus;
}

std::string TXScreen::Title(Window window) {
  char* name = nullptr;
  if (!window || !XFetchName(Connection, window, &name) || !name) return "";
  std::string title = name;
  XFree(name);
  return title;
}

pid_t TXScreen::Pid(Window window) {
  const Atom property = XInternAtom(Connection, "_NET_WM_PID", False);
  Atom type;
  int format;
  unsigned long count, left;
  unsigned char* data = nullptr;
  pid_t pid = 0;
  if (XGetWindowProperty(Connection, window, property, 0, 1, False, XA_CARDINAL, &type, &format,
                         &count, &left, &data) == Success &&
      data && format == 32 && count == 1)
    pid = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data));
  if (data) XFree(data);
  return pid;
}

Window TXScreen::WaitForFocus(const std::string& title, Clock::duration timeout) {
  Window found = 0;
  WaitUntil(
      [&] {
        const Window focus = Focus();
        if (focus && Title(focus) == title) found = focus;
        return found != 0;
      },
      timeout);
  return found;
}

void TXScreen::SetFocus(Window window) {
  XSetInputFocus(Connection, window, RevertToParent, CurrentTime);
  XSync(Connection, False);
}

Clock::time_point TXScreen::Key(unsigned long keysym, bool down) {
  XTestFakeKeyEvent(Connection, XKeysymToKeycode(Connection, keysym), down, CurrentTime);
  XFlush(Connection);
  return Clock::now();
}

void TXScreen::Tap(unsigned long keysym) {
  Key(keysym, true);
  Sleep(std::chrono::milliseconds(20));
  Key(keysym, false);
  Sleep(std::chrono::milliseconds(20));
}

void TXScreen::Type(const std::string& text) {
  for (char c : text) Tap(static_cast<unsigned char>(c));
}

void TXScreen::Click(Window window, int x, int y) {
  int rootX = 0, rootY = 0;
  Window child;
  XTranslateCoordinates(Connection, window, DefaultRootWindow(Connection), x, y, &rootX, &rootY,
                        &child);
  XTestFakeMotionEvent(Connection, DefaultScreen(Connection), rootX, rootY, CurrentTime);
  XTestFakeButtonEvent(Connection, 1, True, CurrentTime);
  XTestFakeButtonEvent(Connection, 1, False, CurrentTime);
  XFlush(Connection);
}
