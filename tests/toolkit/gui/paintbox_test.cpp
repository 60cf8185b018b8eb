#include "toolkit/gui/paintbox.h"

#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QPixmap>
#include <QRegion>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "support/guiapplication.h"
#include "toolkit/gui/application.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/qtbridge.h"

namespace {

// Paints itself green and counts its paints; OnPaint runs first in each.
class TCountingBox : public TPaintBox {
public:
  using TPaintBox::TPaintBox;
  void Paint() override {
    ++Paints;
    if (OnPaint) OnPaint();
    Canvas()->Brush()->setColor(clLime);
    Canvas()->FillRect(Rect(0, 0, Width(), Height()));
  }
  int Paints = 0;
  std::function<void()> OnPaint;
};

// The regions of a widget's paint events.
class PaintRecorder : public QObject {
public:
  explicit PaintRecorder(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint)
      Painted.push_back(static_cast<QPaintEvent*>(event)->region());
    return false;
  }
  std::vector<QRegion> Painted;
};

class PaintBoxTest : public testing::Test {
protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 100, 100);
    box = new TCountingBox(form);
    box->setParent(form);
    box->SetBounds(10, 10, 40, 30);
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Handle()));
    Application->ProcessMessages();
  }
  void TearDown() override { Free(form); }
  // What the screen shows at a point of the box, taken from the screen without a repaint.
  QColor Shown(int x, int y) {
    QPixmap screen = form->Handle()->screen()->grabWindow(form->Handle()->winId());
    return screen.toImage().pixelColor(box->Left() + x, box->Top() + y);
  }

  TForm* form;
  TCountingBox* box;
};

TEST_F(PaintBoxTest, TheWindowSystemsRepaintCallsPaint) {
  EXPECT_GE(box->Paints, 1);
  EXPECT_EQ(Shown(5, 5), QColor(0, 255, 0));
}

TEST_F(PaintBoxTest, ABoxDrawnWhileHiddenIsPaintedWhenItShows) {
  box->Hide();
  Application->ProcessMessages();
  // A view that draws only part of itself while hidden (its keys want it visible).
  box->Canvas()->Brush()->setColor(clRed);
  box->Canvas()->FillRect(Rect(0, 0, box->Width(), box->Height()));
  const int before = box->Paints;
  box->Show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return box->Paints > before; }));
  EXPECT_EQ(Shown(5, 5), QColor(0, 255, 0));
}

TEST_F(PaintBoxTest, DrawingOutsidePaintShowsWithoutAnotherPaint) {
  int paints = box->Paints;
  box->Canvas()->Brush()->setColor(clRed);
  box->Canvas()->FillRect(Rect(0, 0, 10, 10));
  box->Update();
  EXPECT_EQ(Shown(5, 5), QColor(255, 0, 0));
  EXPECT_EQ(Shown(20, 20), QColor(0, 255, 0)) << "the pixels drawn before persist";
  EXPECT_EQ(box->Paints, paints);
}

// A window frozen, released (which asks for its repaint) and frozen again, with what is pending
// painted meanwhile (a view that rescales itself does so), keeps showing what is drawn later.
TEST_F(PaintBoxTest, DrawingShowsAfterAnUpdateWhileTheWindowWasFrozen) {
  QWidget* window = form->Handle();
  window->setUpdatesEnabled(false);
  window->setUpdatesEnabled(true);
  window->setUpdatesEnabled(false);
  box->Update();
  window->setUpdatesEnabled(true);
  Application->ProcessMessages();
  for (TColor color : {clRed, clBlue}) {
    SCOPED_TRACE(color);
    box->Canvas()->Brush()->setColor(color);
    box->Canvas()->FillRect(Rect(0, 0, 10, 10));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Shown(5, 5) == ToQColor(color); }, 1000));
  }
}

TEST_F(PaintBoxTest, DrawingRepaintsOnlyWhatItChanged) {
  auto* recorder = new PaintRecorder(box->Handle());
  box->Canvas()->Brush()->setColor(clRed);
  box->Canvas()->FillRect(Rect(2, 3, 12, 8));
  box->Update();
  ASSERT_EQ(recorder->Painted.size(), 1u);
  EXPECT_EQ(recorder->Painted[0], QRegion(2, 3, 10, 5));
}

// What lies over a box draws: the box shows its pixels again under it and is not painted anew,
// and nothing at all where what lies over it is opaque.
TEST_F(PaintBoxTest, DrawingOverABoxPaintsItOnlyWhereWhatIsOverItIsNotOpaque) {
  for (bool opaque : {false, true}) {
    SCOPED_TRACE(opaque);
    auto* over = new TCountingBox(form);
    over->setParent(form);
    over->setOpaque(opaque);
    over->SetBounds(20, 15, 20, 20);
    Application->ProcessMessages();
    auto* recorder = new PaintRecorder(box->Handle());
    const int paints = box->Paints;
    over->Canvas()->Brush()->setColor(clRed);
    over->Canvas()->FillRect(Rect(0, 0, 5, 5));
    over->Update();
    EXPECT_EQ(box->Paints, paints);
    EXPECT_EQ(recorder->Painted.size(), opaque ? 0u : 1u);
    EXPECT_EQ(Shown(25, 10), QColor(0, 255, 0)) << "the box beside what lies over it";
    Free(over);
    delete recorder;
    Application->ProcessMessages();
  }
}

TEST_F(PaintBoxTest, AnOpaqueBoxIsBlackWhereNothingIsDrawn) {
  auto* opaque = new TPaintBox(form);
  opaque->setParent(form);
  opaque->setOpaque(true);
  opaque->SetBounds(60, 10, 20, 20);
  Application->ProcessMessages();
  EXPECT_EQ(opaque->Canvas()->Pixels(5, 5), clBlack);
  EXPECT_EQ(Shown(65 - box->Left(), 15 - box->Top()), QColor(0, 0, 0));
}

TEST_F(PaintBoxTest, ResizingPaintsTheNewPixels) {
  int paints = box->Paints;
  box->SetBounds(10, 10, 60, 50);
  box->Repaint();
  EXPECT_GT(box->Paints, paints);
  EXPECT_EQ(box->Canvas()->Pixels(55, 45), clLime);
}

TEST_F(PaintBoxTest, APaintThatKeepsFailingIsReportedOnceAfterThePaintUntilAPaintSucceeds) {
  std::vector<std::string> errors;
  Application->OnException = [&](TObject* sender, const Exception& error) {
    EXPECT_EQ(sender, box);
    errors.push_back(error.Message);
  };
  bool failing = true;
  box->OnPaint = [&] {
    if (failing) throw Exception("41D2A0C3/F Logic error");
  };
  box->Repaint();
  EXPECT_TRUE(errors.empty()) << "not reported inside the paint";
  for (int i = 0; i < 20; ++i) {
    box->Repaint();
    Application->ProcessMessages();
  }
  EXPECT_EQ(errors, std::vector<std::string>{"41D2A0C3/F Logic error"});
  failing = false;
  box->Repaint();
  failing = true;
  box->Repaint();
  Application->ProcessMessages();
  EXPECT_EQ(errors.size(), 2u) << "a good paint in between: the next failure is reported";
  box->OnPaint = nullptr;
  Application->OnException = nullptr;
}

}  // namespace
