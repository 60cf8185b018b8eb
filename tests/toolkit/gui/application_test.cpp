#include "toolkit/gui/application.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <QWidget>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/guiapplication.h"
#include "support/messageboxes.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/timer.h"

namespace {

// Records what reaches the exception event.
class ApplicationTest : public testing::Test {
protected:
  void SetUp() override {
    Application->OnException = [this](TObject* sender, const Exception& error) {
      Senders.push_back(sender);
      Messages.push_back(error.Message);
    };
  }
  void TearDown() override { Application->OnException = nullptr; }

  std::vector<TObject*> Senders;
  std::vector<std::string> Messages;
  MessageBoxes Boxes;
};

struct ThrowCase {
  const char* name;
  std::function<void()> raise;
  std::string message;
};

TEST_F(ApplicationTest, EveryThrownValueReachesTheExceptionEvent) {
  const ThrowCase cases[] = {
      {"an error of the system", [] { throw Exception("4C3B0DCB/F No base"); },
       "4C3B0DCB/F No base"},
      {"a library error", [] { throw std::runtime_error("vector too long"); }, "vector too long"},
      // A plain text carries no error code to the event, whatever it holds.
      {"a plain text", [] { throw "766A655C"; }, "External exception"},
      {"a number", [] { throw 42; }, "External exception"},
  };
  TForm sender(nullptr);
  for (const ThrowCase& c : cases) {
    SCOPED_TRACE(c.name);
    Messages.clear();
    Application->Dispatch(&sender, c.raise);
    EXPECT_EQ(Messages, std::vector<std::string>{c.message});
  }
  EXPECT_EQ(Senders.back(), &sender);
}

TEST_F(ApplicationTest, AHandlerThatAnswersGivesItsAnswerOrTheFallbackWhenItThrows) {
  TForm sender(nullptr);
  EXPECT_EQ(Application->Dispatch(&sender, 0, [] { return 7; }), 7);
  EXPECT_TRUE(Messages.empty());
  EXPECT_EQ(Application->Dispatch(&sender, 0, []() -> int { throw Exception("failed"); }), 0);
  EXPECT_EQ(Messages, std::vector<std::string>{"failed"});
}

TEST_F(ApplicationTest, AnErrorInATimerReachesTheEventAndTheTimerGoesOn) {
  TForm form(nullptr);
  TTimer timer(&form);
  timer.setInterval(1);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) {
    if (++ticks <= 2) throw Exception("A5F26994/F Logic error");
  };
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000));
  timer.setEnabled(false);
  EXPECT_EQ(Messages, (std::vector<std::string>(2, "A5F26994/F Logic error")));
  EXPECT_EQ(Senders[0], &timer);
}

TEST_F(ApplicationTest, AnErrorInAnActionReachesTheEventAndTheModalRunGoesOn) {
  TForm form(nullptr);
  auto* action = new TAction(&form);
  action->setShortCut(13);
  action->OnExecute = [](TObject*) { throw Exception("140E5929/H Can't save user data!"); };
  form.OnActivate = [&](TObject*) {
    QTimer::singleShot(0, [&] {
      EXPECT_TRUE(QTest::qWaitForWindowActive(form.Handle()));
      QTest::keyClick(form.Handle(), Qt::Key_Return);
      QTest::keyClick(form.Handle(), Qt::Key_Return);
      form.setModalResult(mrOk);
    });
  };
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_EQ(Messages, (std::vector<std::string>(2, "140E5929/H Can't save user data!")));
  EXPECT_EQ(Senders[0], action);
}

TEST_F(ApplicationTest, WithoutAnEventTheErrorIsShownWhole) {
  Application->OnException = nullptr;
  Application->Dispatch(nullptr, [] { throw Exception("704DB5B4/H Файл с курсом не найден"); });
  ASSERT_EQ(Boxes.Shown.size(), 1u);
  EXPECT_EQ(Boxes.Shown[0].Text, "704DB5B4/H Файл с курсом не найден");
  EXPECT_EQ(Boxes.Shown[0].Type, mtError);
}

TEST_F(ApplicationTest, AnErrorInsideTheEventIsShownAndGoesNoFurther) {
  const ThrowCase cases[] = {
      {"an error of the system", [] { throw Exception("the report failed"); }, "the report failed"},
      {"a library error", [] { throw std::runtime_error("map::at"); }, "map::at"},
  };
  for (const ThrowCase& c : cases) {
    SCOPED_TRACE(c.name);
    Boxes.Shown.clear();
    Application->OnException = [&](TObject*, const Exception&) { c.raise(); };
    EXPECT_NO_THROW(Application->Dispatch(nullptr, [] { throw Exception("first"); }));
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text, c.message);
  }
}

TEST_F(ApplicationTest, AFailingErrorBoxThrowsNothingIntoTheLoop) {
  Application->OnException = [](TObject*, const Exception&) { throw Exception("report"); };
  TMessageDlgHandler previous = SetMessageDlgHandler(
      [](const std::string&, TMsgDlgType) -> TModalResult { throw std::bad_alloc(); });
  EXPECT_NO_THROW(Application->Dispatch(nullptr, [] { throw Exception("first"); }));
  SetMessageDlgHandler(previous);
}

TEST(ApplicationParametersTest, ProgramPathAndArguments) {
  EXPECT_EQ(Application->ParamStr(1), "/test");
  EXPECT_EQ(Application->ParamCount(), 1);
  EXPECT_EQ(Application->ParamStr(2), "");
  EXPECT_NE(Application->ExeName().find("test_toolkit_gui"), std::string::npos);
}

}  // namespace
