#include "toolkit/gui/windowdrag.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "support/guiapplication.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/image.h"

namespace {

// A frameless window, shown, with a picture as its background at that place.
class WindowDragTest : public testing::Test {
protected:
  void Show(int left, int top, int width, int height) {
    form->setBorderStyle(bsNone);
    form->SetBounds(100, 100, 200, 150);
    background->setParent(form.get());
    background->SetBounds(left, top, width, height);
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Handle()));
  }

  TOwnedPtr<TForm> form{new TForm(nullptr)};
  TImage* background = new TImage(form.get());
};

// Without a window system move (as headless) the window follows the mouse until the button is
// released, and every move is reported.
TEST_F(WindowDragTest, TheWindowFollowsTheMouseWhileTheLeftButtonIsHeld) {
  int moves = 0;
  background->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    DragWindow(form.get(), background, x, y, [&] { ++moves; });
  };
  Show(0, 0, 200, 150);
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

// Where the window system moves windows itself, it is asked with the point of the screen that
// the press gripped, and the window does not follow the mouse on its own as well.
TEST_F(WindowDragTest, TheWindowSystemMovesTheWindowFromTheGrip) {
  Show(20, 30, 100, 100);
  QPoint asked;
  const TWindowSystemMove before = SetWindowSystemMove([&](QWindow*, const QPoint& grip) {
    asked = grip;
    return true;
  });
  const QPoint start = form->Handle()->pos();
  DragWindow(form.get(), background, 10, 10, nullptr);
  EXPECT_EQ(asked, background->Handle()->mapToGlobal(QPoint(10, 10)));
  QTest::mouseMove(background->Handle(), QPoint(40, 30));
  QTest::qWait(20);
  EXPECT_EQ(form->Handle()->pos(), start);
  SetWindowSystemMove(before);
}

}  // namespace
