#include "toolkit/gui/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
TScreen theScreen;
}  // namespace

TScreen* Screen = &theScreen;

int TScreen::Width() const {
  QScreen* primary = QGuiApplication::primaryScreen();
  return primary ? primary->geometry().width() : 0;
}

int TScreen::Height() const {
  QScreen* primary = QGuiApplication::primaryScreen();
  return primary ? primary->geometry().height() : 0;
}

int TScreen::MonitorCount() const { return static_cast<int>(QGuiApplication::screens().size()); }

TRect TScreen::Monitors(int index) const {
  QList<QScreen*> screens = QGuiApplication::screens();
  if (index < 0 || index >= screens.size()) return {};
  QRect area = screens[index]->geometry();
  return Bounds(area.x(), area.y(), area.width(), area.height());
}
