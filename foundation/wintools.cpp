#include "foundation/wintools.h"

#include "platform/cursor.h"

void ShowMouseCursor(bool show) {
  if (show) {
    while (ShowCursor(true) < 0) {
    }
  } else {
    while (ShowCursor(false) >= 0) {
    }
  }
}
