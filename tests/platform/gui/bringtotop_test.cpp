#include "platform/gui/bringtotop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "support/guiapplication.h"
#include "toolkit/gui/form.h"

namespace {

TEST(BringToTopTest, TheWindowBecomesTheActiveOne) {
  TForm first(nullptr), second(nullptr);
  first.SetBounds(0, 0, 100, 100);
  second.SetBounds(50, 50, 100, 100);
  first.Show();
  second.Show();
  second.Handle()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(second.Handle()));
  BringWindowToTop(&first);
  EXPECT_TRUE(QTest::qWaitForWindowActive(first.Handle()));
  EXPECT_TRUE(first.Active());
  first.Hide();
  second.Hide();
}

}  // namespace
