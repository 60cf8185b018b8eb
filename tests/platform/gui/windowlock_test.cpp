#include "platform/gui/windowlock.h"

#include <gtest/gtest.h>

#include <QWidget>

#include "support/guiapplication.h"
#include "toolkit/gui/form.h"

namespace {

TEST(WindowLockTest, OneWindowAtATimeUntilReleased) {
  TForm first(nullptr), second(nullptr);
  EXPECT_TRUE(LockWindowUpdate(&first));
  EXPECT_FALSE(first.Handle()->updatesEnabled());
  EXPECT_FALSE(LockWindowUpdate(&second));
  EXPECT_TRUE(second.Handle()->updatesEnabled());
  EXPECT_TRUE(LockWindowUpdate(nullptr));
  EXPECT_TRUE(first.Handle()->updatesEnabled());
  EXPECT_TRUE(LockWindowUpdate(nullptr)) << "releasing with nothing locked is harmless";
}

TEST(WindowLockTest, AWindowDestroyedWhileLockedEndsTheLock) {
  auto* window = new TForm(nullptr);
  ASSERT_TRUE(LockWindowUpdate(window));
  Free(window);
  TForm other(nullptr);
  EXPECT_TRUE(LockWindowUpdate(&other));
  LockWindowUpdate(nullptr);
}

TEST(WindowLockTest, ANestedScopeLeavesTheOuterLockInForce) {
  TForm window(nullptr);
  {
    TWindowUpdateLock outer(&window);
    {
      TWindowUpdateLock inner(&window);
      EXPECT_FALSE(window.Handle()->updatesEnabled());
    }
    EXPECT_FALSE(window.Handle()->updatesEnabled()) << "the inner scope took no lock";
  }
  EXPECT_TRUE(window.Handle()->updatesEnabled());
}

}  // namespace
