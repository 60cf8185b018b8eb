#include "platform/gui/displayconnection.h"

#include <cstdlib>

#include <X11/Xlib.h>

std::string UnreachableDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform && std::string(platform) != "xcb") return {};
  if (Display* display = XOpenDisplay(nullptr)) {
    XCloseDisplay(display);
    return {};
  }
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) return "no X display to show on: DISPLAY is not set";
  return "cannot open the X display \"" + std::string(name) + "\"";
}
