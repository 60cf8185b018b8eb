#include "platform/gui/windowlock.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QTest>
#include <QWidget>

#include "support/guiapplication.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/panel.h"

namespace {

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
  explicit PaintCounter(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Paints;
    return false;
  }
  int Paints = 0;
};

// A shown window with two panels side by side, their paints counted.
struct Window {
  Window() {
    form.SetBounds(0, 0, 200, 100);
    for (int i = 0; i < 2; ++i) {
      panels[i] = new TPanel(&form);
      panels[i]->setParent(&form);
      panels[i]->SetBounds(i * 100, 0, 100, 100);
      counters[i] = new PaintCounter(panels[i]->Handle());
    }
    form.Show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.Handle()));
    Application->ProcessMessages();
  }
  ~Window() { form.Hide(); }
  // Whether the first panel's repaint shows now; its paints are counted from zero.
  bool RepaintShows() {
    counters[0]->Paints = 0;
    panels[0]->Repaint();
    Application->ProcessMessages();
    return counters[0]->Paints > 0;
  }

  TForm form{nullptr};
  TPanel* panels[2];
  PaintCounter* counters[2];
};

TEST(WindowLockTest, OneWindowAtATimeUntilReleased) {
  Window first, second;
  EXPECT_TRUE(LockWindowUpdate(&first.form));
  EXPECT_FALSE(first.RepaintShows());
  EXPECT_FALSE(LockWindowUpdate(&second.form));
  EXPECT_TRUE(second.RepaintShows());
  EXPECT_TRUE(LockWindowUpdate(nullptr));
  Application->ProcessMessages();
  EXPECT_GT(first.counters[0]->Paints, 0) << "the repaint held back comes with the release";
  EXPECT_TRUE(first.RepaintShows());
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
  Window window;
  {
    TWindowUpdateLock outer(&window.form);
    {
      TWindowUpdateLock inner(&window.form);
      EXPECT_FALSE(window.RepaintShows());
    }
    EXPECT_FALSE(window.RepaintShows()) << "the inner scope took no lock";
  }
  EXPECT_TRUE(window.RepaintShows());
}

// Releasing draws what changed while locked, not the whole window.
TEST(WindowLockTest, TheReleasePaintsOnlyWhatChanged) {
  Window window;
  window.counters[0]->Paints = window.counters[1]->Paints = 0;
  {
    TWindowUpdateLock lock(&window.form);
    window.panels[1]->setColor(clRed);
    Application->ProcessMessages();
    EXPECT_EQ(window.counters[1]->Paints, 0);
  }
  Application->ProcessMessages();
  EXPECT_EQ(window.counters[0]->Paints, 0);
  EXPECT_EQ(window.counters[1]->Paints, 1);
}

}  // namespace
