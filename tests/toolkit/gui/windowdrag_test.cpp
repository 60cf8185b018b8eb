#include "toolkit/gui/windowdrag.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "support/guiapplication.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/image.h"

namespace {

// Without a window system move (as headless) the window follows the mouse until the button is
// released, and every move is reported.
TEST(WindowDragTest, TheWindowFollowsTheMouseWhileTheLeftButtonIsHeld) {
  TOwnedPtr<TForm> form(new TForm(nullptr));
  form->setBorderStyle(bsNone);
  form->SetBounds(100, 100, 200, 150);
  auto* background = new TImage(form.get());
  background->setParent(form.get());
  background->SetBounds(0, 0, 200, 150);
  int moves = 0;
  background->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    DragWindow(form.get(), background, x, y, [&] { ++moves; });
  };
  form->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Handle()));
  const QPoint start = form->Handle()->pos();

  QWidget* grip = background->Handle();
  QTest::mousePress(grip, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(grip, QPoint(40, 30));
  QTest::qWait(20);
  EXPECT_EQ(form->Handle()->pos(), start + QPoint(30, 20));
  EXPECT_GE(moves, 1);
  QTest::mouseRelease(grip, Qt::LeftButton, {}, QPoint(40, 30));
  // Released: the mouse moves alone.
  const QPoint dropped = form->Handle()->pos();
  QTest::mouseMove(grip, QPoint(80, 80));
  QTest::qWait(20);
  EXPECT_EQ(form->Handle()->pos(), dropped);
}

}  // namespace
