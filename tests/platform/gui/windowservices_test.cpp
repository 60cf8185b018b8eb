#include "platform/gui/windowservices.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>

#include "platform/cursor.h"
#include "platform/openaddress.h"
#include "support/guiapplication.h"
#include "toolkit/gui/windowdrag.h"

namespace {

bool CursorHidden() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor && cursor->shape() == Qt::BlankCursor;
}

TEST(CursorViewTest, TheCursorIsBlankWhileTheCounterIsBelowZero) {
  InstallWindowServices();
  ShowCursor(false);
  EXPECT_TRUE(CursorHidden());
  ShowCursor(false);
  ShowCursor(true);
  EXPECT_TRUE(CursorHidden()) << "still below zero";
  ShowCursor(true);
  EXPECT_FALSE(CursorHidden());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "no override cursor piles up";
  SetCursorObserver(nullptr);
  SetOpenAddressHandler(nullptr);
  SetWindowSystemMove(nullptr);
}

}  // namespace
