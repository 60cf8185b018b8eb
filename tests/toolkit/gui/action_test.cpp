#include "toolkit/gui/action.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "support/guiapplication.h"
#include "toolkit/gui/edit.h"
#include "toolkit/gui/form.h"

namespace {

// A shown, active window with an edit that has the focus and two actions on Enter and Esc.
class ActionTest : public testing::Test {
protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(10, 10, 200, 100);
    auto* list = new TActionList(form);
    ok = new TAction(list);
    ok->setShortCut(13);
    ok->OnExecute = [this](TObject*) { ++okRuns; };
    close = new TAction(form);
    close->setShortCut(27);
    close->OnExecute = [this](TObject*) { ++closeRuns; };
    edit = new TEdit(form);
    edit->setParent(form);
    form->Show();
    form->Handle()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Handle()));
    edit->SetFocus();
  }
  void TearDown() override { Free(form); }

  TForm* form;
  TAction *ok, *close;
  TEdit* edit;
  int okRuns = 0, closeRuns = 0;
};

TEST_F(ActionTest, ShortcutsRunWhileAnEditHasTheFocus) {
  ASSERT_TRUE(edit->Focused());
  QTest::keyClicks(edit->Handle(), "abc");
  QTest::keyClick(edit->Handle(), Qt::Key_Return);
  QTest::keyClick(edit->Handle(), Qt::Key_Enter);
  QTest::keyClick(edit->Handle(), Qt::Key_Escape);
  EXPECT_EQ(okRuns, 2);
  EXPECT_EQ(closeRuns, 1);
  EXPECT_EQ(edit->Text(), "abc") << "typing still reaches the edit";
}

TEST_F(ActionTest, ADisabledActionNeitherRunsNorExecutes) {
  ok->setEnabled(false);
  QTest::keyClick(edit->Handle(), Qt::Key_Return);
  EXPECT_EQ(okRuns, 0);
  EXPECT_FALSE(ok->Execute());
  ok->setEnabled(true);
  EXPECT_TRUE(ok->Execute());
  EXPECT_EQ(okRuns, 1);
}

TEST_F(ActionTest, ShortcutsBelongToTheirOwnWindow) {
  TForm other(nullptr);
  other.SetBounds(300, 10, 100, 100);
  other.Show();
  other.Handle()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(other.Handle()));
  QTest::keyClick(other.Handle(), Qt::Key_Escape);
  EXPECT_EQ(closeRuns, 0);
  other.Hide();
}

}  // namespace
