#include "toolkit/gui/form.h"

#include <gtest/gtest.h>

#include <QScreen>
#include <QTest>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "support/guiapplication.h"
#include "support/person.h"
#include "toolkit/exception.h"

namespace {

// A window whose handlers write into a journal, and whose own construction must have run
// before OnCreate.
class TJournalForm : public TForm {
public:
  explicit TJournalForm(TComponent* owner) : TForm(owner) {
    OnCreate = [this](TObject*) { Log(built_ ? "create after construction" : "create too early"); };
    OnShow = [this](TObject*) { Log("show"); };
    OnActivate = [this](TObject*) { Log("activate"); };
    OnHide = [this](TObject*) { Log("hide"); };
    OnDestroy = [this](TObject*) { Log(built_ ? "destroy while whole" : "destroy too late"); };
    built_ = true;
  }
  ~TJournalForm() override { built_ = false; }

  void Log(const std::string& entry) { Journal.push_back(entry); }
  std::vector<std::string> Journal;

private:
  bool built_ = false;
};

struct ModalCase {
  const char* name;
  std::function<void(TForm&)> end;
  TModalResult result;
};

TEST(FormTest, ModalRunEndsWithItsResult) {
  const ModalCase cases[] = {
      {"OK", [](TForm& f) { f.setModalResult(mrOk); }, mrOk},
      {"Cancel", [](TForm& f) { f.setModalResult(mrCancel); }, mrCancel},
      {"Close", [](TForm& f) { f.Close(); }, mrCancel},
      {"the window system's close button", [](TForm& f) { f.Handle()->close(); }, mrCancel},
  };
  for (const ModalCase& c : cases) {
    SCOPED_TRACE(c.name);
    TForm form(nullptr);
    form.OnActivate = [&](TObject*) { Soon([&] { c.end(form); }); };
    EXPECT_EQ(form.ShowModal(), c.result);
    EXPECT_EQ(form.ModalResult(), c.result);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(form.Handle()->isVisible());
  }
}

TEST(FormTest, AWindowDestroyedDuringItsModalRunEndsTheRunWithCancel) {
  auto* form = new TForm(nullptr);
  form->OnActivate = [form](TObject*) { Soon([form] { Free(form); }); };
  EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST(FormTest, AnActivationThatClosesOrDestroysTheWindowEndsTheRun) {
  TForm form(nullptr);
  form.OnActivate = [&](TObject*) { form.Close(); };
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_FALSE(form.Handle()->isVisible());

  auto* destroyed = new TForm(nullptr);
  destroyed->OnActivate = [destroyed](TObject*) { Free(destroyed); };
  EXPECT_EQ(destroyed->ShowModal(), mrCancel);
}

TEST(FormTest, ARunEndsOnlyWhenAResultIsSet) {
  TForm form(nullptr);
  int turns = 0;
  form.OnActivate = [&](TObject*) {
    Soon([&] {
      form.setModalResult(mrNone);
      ++turns;
      Soon([&] { form.setModalResult(mrOk); });
    });
  };
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_EQ(turns, 1);
}

TEST(FormTest, CreateRunsAfterConstructionAndDestroyBeforeDestruction) {
  std::vector<std::string> journal;
  auto* form = new TJournalForm(nullptr);
  auto destroy = form->OnDestroy;
  form->OnDestroy = [&, form, destroy](TObject* sender) {
    destroy(sender);
    journal = form->Journal;
  };
  form->OnActivate = [form](TObject*) {
    form->Log("activate");
    Soon([form] { form->setModalResult(mrOk); });
  };
  form->ShowModal();
  form->ShowModal();
  Free(form);
  EXPECT_EQ(journal,
            (std::vector<std::string>{"create after construction", "show", "activate", "hide",
                                      "show", "activate", "hide", "destroy while whole"}));
}

TEST(FormTest, CreateRunsAtTheNextTurnOfTheLoopWhenNeverShown) {
  TJournalForm form(nullptr);
  EXPECT_TRUE(form.Journal.empty());
  Application->ProcessMessages();
  EXPECT_EQ(form.Journal, (std::vector<std::string>{"create after construction"}));
}

TEST(FormTest, ReturningFromANestedModalWindowIsNoActivation) {
  TForm outer(nullptr), inner(nullptr);
  int outerActivations = 0;
  inner.OnActivate = [&](TObject*) { Soon([&] { inner.setModalResult(mrOk); }); };
  outer.OnActivate = [&](TObject*) {
    ++outerActivations;
    Soon([&] {
      inner.ShowModal();
      Soon([&] { outer.setModalResult(mrOk); });
    });
  };
  outer.ShowModal();
  EXPECT_EQ(outerActivations, 1);
}

// The window system may keep the focus on a window that hid and showed again (no window manager
// took it elsewhere meanwhile): no activation comes, yet the window is the active one.
TEST(FormTest, AWindowShownAgainWithTheFocusStillOnItIsTheActiveOne) {
  TForm window(nullptr);
  window.SetBounds(0, 0, 100, 100);
  window.Show();
  window.Handle()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.Handle()));
  window.Hide();
  window.Show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.Active(); }, 1000));
  window.Hide();
}

TEST(FormTest, AVisibleWindowCannotRunModally) {
  TForm form(nullptr);
  form.Show();
  EXPECT_THROW(form.ShowModal(), Exception);
  form.Hide();
}

TEST(FormTest, FramelessAndStayOnTopStyles) {
  TForm form(nullptr);
  form.setBorderStyle(bsNone);
  form.setFormStyle(fsStayOnTop);
  Qt::WindowFlags flags = form.Handle()->windowFlags();
  EXPECT_TRUE(flags & Qt::FramelessWindowHint);
  EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
  form.setFormStyle(fsNormal);
  EXPECT_FALSE(form.Handle()->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(FormTest, ScreenCentredWindowIsCentredWhenFirstShown) {
  TForm form(nullptr);
  form.setPosition(poScreenCenter);
  form.SetBounds(0, 0, 200, 100);
  form.Show();
  QRect screen = form.Handle()->screen()->geometry();
  EXPECT_EQ(form.Left(), screen.x() + (screen.width() - 200) / 2);
  EXPECT_EQ(form.Top(), screen.y() + (screen.height() - 100) / 2);
  form.Hide();
}

}  // namespace
