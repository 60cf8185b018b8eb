#include "app/gui/tbaseform.h"

#include <gtest/gtest.h>

#include <QTest>

#include <filesystem>
#include <string>

#include "support/guiapplication.h"
#include "support/installation.h"
#include "support/messageboxes.h"
#include "toolkit/codepage.h"
#include "toolkit/exception.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/timer.h"

namespace {

class BaseFormTest : public testing::Test {
protected:
  Installation Program;
  MessageBoxes Boxes;
};

TEST_F(BaseFormTest, TheStartTimerRunsTheRunOnceAndClosesTheWindow) {
  TOwnedPtr<TBaseForm> form(new TBaseForm(nullptr));
  EXPECT_EQ(form->Name(), "BaseForm");
  EXPECT_EQ(form->StartTimer->Interval(), 100);
  int runs = 0;
  form->acRun->OnExecute = [&](TObject*) { ++runs; };
  form->Show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !form->Visible(); }, 5000));
  QTest::qWait(300);
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(form->StartTimer->Enabled());
  EXPECT_TRUE(Boxes.Shown.empty());
}

TEST_F(BaseFormTest, ARunThatFailsIsShownAndTheWindowClosesJustTheSame) {
  TOwnedPtr<TBaseForm> form(new TBaseForm(nullptr));
  form->acRun->OnExecute = [&](TObject*) { throw Exception("A5F26994/F Logic error"); };
  form->Show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !form->Visible(); }, 5000));
  ASSERT_EQ(Boxes.Shown.size(), 1u);
  EXPECT_EQ(Boxes.Shown[0].Text, "#A5F26994");
  EXPECT_EQ(Boxes.Shown[0].Type, mtError);
}

TEST_F(BaseFormTest, EveryErrorThatReachesTheLoopShowsItsCode) {
  struct Case {
    const char* name;
    std::function<void()> raise;
    std::string box;
  };
  const Case cases[] = {
      {"a coded error", [] { throw Exception("4C3B0DCB/F No base"); }, "#4C3B0DCB"},
      {"a coded error without text", [] { throw Exception("ED1C88A5/C"); }, "#ED1C88A5"},
      {"a conversion error", [] { throw EConvertError("'x' is not a valid integer value"); }, "#"},
      {"a plain text", [] { throw "766A655C"; }, "#"},
  };
  TOwnedPtr<TBaseForm> form(new TBaseForm(nullptr));
  form->StartTimer->setEnabled(false);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Boxes.Shown.clear();
    Application->Dispatch(form.get(), c.raise);
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text, c.box);
  }
}

TEST_F(BaseFormTest, TheMainWindowBuildsAndOwnsANewApplicationObject) {
  Program.Localize("[TLomtak]\r\nVersion=Own %VERSION%\r\n");
  TOwnedPtr<TBaseForm> form(new TBaseForm(nullptr));
  form->StartTimer->setEnabled(false);
  ASSERT_NE(dynamic_cast<TLomtak*>(form->getRoot()), nullptr);
  EXPECT_NE(form->getRoot(), &Program.root());
  EXPECT_EQ(form->getRoot()->getMessage("Version").rfind("Own ", 0), 0u);
}

TEST_F(BaseFormTest, AnErrorWhileTheMainWindowIsBuiltEscapesTheConstruction) {
  Program.Localize("[General]\r\nCharset=Cyrillic\r\n");
  EXPECT_THROW(TBaseForm form(nullptr), EConvertError);
  // Nothing of the half-built window is left hooked on the application.
  EXPECT_FALSE(Application->OnException);
}

// A folder named like a course file is no course: the program starts.
TEST_F(BaseFormTest, AFolderNamedLikeACourseFileDoesNotStopTheStart) {
  std::filesystem::create_directories(Program.getCoursesDir() + "/Broken.Base");
  EXPECT_NO_THROW(TBaseForm form(nullptr));
}

}  // namespace
