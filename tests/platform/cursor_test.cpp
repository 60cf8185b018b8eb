#include "platform/cursor.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Cursor, CounterMovesByOneAndObserverSeesEveryFlip) {
  std::vector<bool> flips;
  TCursorObserver previous = SetCursorObserver([&](bool visible) { flips.push_back(visible); });
  EXPECT_EQ(ShowCursor(true), 1);
  EXPECT_EQ(ShowCursor(false), 0);
  EXPECT_TRUE(flips.empty());
  EXPECT_EQ(ShowCursor(false), -1);
  EXPECT_EQ(ShowCursor(false), -2);
  EXPECT_EQ(ShowCursor(true), -1);
  EXPECT_EQ(ShowCursor(true), 0);
  EXPECT_EQ(flips, (std::vector<bool>{false, true}));
  SetCursorObserver(previous);
}

}  // namespace
