#include "platform/cursor.h"

#include <utility>

namespace {

int counter = 0;

TCursorObserver& Observer() {
  static TCursorObserver observer;
  return observer;
}

}  // namespace

int ShowCursor(bool show) {
  bool wasVisible = counter >= 0;
  counter += show ? 1 : -1;
  bool visible = counter >= 0;
  if (visible != wasVisible && Observer()) Observer()(visible);
  return counter;
}

TCursorObserver SetCursorObserver(TCursorObserver observer) {
  return std::exchange(Observer(), std::move(observer));
}
