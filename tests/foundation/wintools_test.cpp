#include "foundation/wintools.h"

#include <gtest/gtest.h>

#include "platform/cursor.h"

namespace {

TEST(ShowMouseCursor, ForcesTheCursorWhateverTheCounter) {
  bool visible = true;
  TCursorObserver previous = SetCursorObserver([&](bool now) { visible = now; });
  ShowMouseCursor(false);
  EXPECT_FALSE(visible);
  ShowMouseCursor(false);
  ShowMouseCursor(false);
  EXPECT_EQ(ShowCursor(true), -2);  // every hide pushed the counter further down
  EXPECT_EQ(ShowCursor(false), -3);
  ShowMouseCursor(true);
  EXPECT_TRUE(visible);
  EXPECT_EQ(ShowCursor(false), -1);  // the show stopped at exactly 0
  ShowMouseCursor(true);
  ShowMouseCursor(true);  // already visible: still one call
  EXPECT_EQ(ShowCursor(false), 0);
  SetCursorObserver(previous);
}

}  // namespace
