#include "toolkit/gui/trayicon.h"

#include <gtest/gtest.h>

#include <QSystemTrayIcon>
#include <QTest>
#include <QWidget>

#include "support/guiapplication.h"
#include "toolkit/gui/form.h"

namespace {

TEST(TrayIconTest, WithoutANotificationAreaTheWindowMinimisesAndComesBackByClick) {
  if (QSystemTrayIcon::isSystemTrayAvailable()) GTEST_SKIP() << "this desktop has a tray";
  TForm form(nullptr);
  auto* icon = new TTrayIcon(&form);
  int hides = 0, clicks = 0;
  form.OnHide = [&](TObject*) { ++hides; };
  icon->OnClick = [&](TObject*) {
    ++clicks;
    icon->setActive(false);
    form.Show();
  };
  form.SetBounds(0, 0, 100, 100);
  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Handle()));

  icon->setActive(true);
  form.Hide();
  EXPECT_EQ(hides, 1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.Handle()->isMinimized(); }));
  EXPECT_TRUE(form.Handle()->isVisible()) << "still reachable from the task bar";

  form.Handle()->showNormal();
  ASSERT_TRUE(QTest::qWaitFor([&] { return clicks == 1; }));
  EXPECT_TRUE(form.Visible());
  form.Hide();
}

}  // namespace
