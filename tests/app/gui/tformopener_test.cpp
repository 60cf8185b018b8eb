#include "app/gui/tformopener.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <filesystem>

#include "app/tlomtak.h"
#include "engine/tcourse.h"
#include "engine/tcourses.h"
#include "foundation/tinioptions.h"
#include "support/courses.h"
#include "support/guiapplication.h"
#include "support/installation.h"
#include "support/messageboxes.h"
#include "support/person.h"
#include "toolkit/exception.h"
#include "users/tuser.h"
#include "users/tusers.h"

namespace {

// The top-level windows that exist, once deferred deletions have run.
int Windows() {
  QApplication::processEvents();
  return static_cast<int>(QApplication::topLevelWidgets().size());
}

// What a person does in each window, in turn: once the window of that title is the active
// one, its step runs. Each step runs once, and the next waits until another window has been
// active in between (the one acted on is busy or gone meanwhile).
class Script {
public:
  using Step = std::pair<std::string, std::function<void()>>;
  explicit Script(std::deque<Step> steps) : Steps(std::move(steps)) {
    Timer.setInterval(20);
    QObject::connect(&Timer, &QTimer::timeout, [this] { Turn(); });
    Timer.start();
  }
  bool Done() const { return Steps.empty(); }

private:
  void Turn() {
    QWidget* active = QApplication::activeWindow();
    // The headless platform gives the focus back to no window when a nested one closes.
    if (!active && QApplication::activeModalWidget())
      QApplication::activeModalWidget()->activateWindow();
    if (active != Last) Away = true;
    if (Steps.empty() || !Away || !active ||
        active->windowTitle().toStdString() != Steps.front().first)
      return;
    Last = active;
    Away = false;
    // On its own turn of the loop: a step that opens a modal window must not hold up the
    // timer, which does not fire again while it is handled.
    Soon(std::move(Steps.front().second));
    Steps.pop_front();
  }

  std::deque<Step> Steps;
  QTimer Timer;
  QPointer<QWidget> Last;
  bool Away = true;
};

class FormOpenerTest : public testing::Test {
protected:
  FormOpenerTest() { InstallCourse("English", app.getCoursesDir()); }

  Installation app;
  MessageBoxes boxes;
  TFormOpener opener;
};

TEST_F(FormOpenerTest, EveryOpenerFreesItsWindowAlsoWhenItRaises) {
  TUser* anna = app.root().getUsers()->Add("Anna");
  const int before = Windows();
  app.Localize("[General]\r\nCharset=many\r\n");
  const std::vector<std::pair<const char*, std::function<void()>>> openers = {
      {"AddNewUser", [&] { opener.ShowAddNewUser(&app.root()); }},
      {"Login", [&] { opener.ShowLogin(&app.root()); }},
      {"Start", [&] { opener.ShowStart(anna); }},
      {"Authorization", [&] { opener.ShowAuthorization(anna); }},
      {"NewPassword", [&] { opener.ChangePassword(anna); }},
  };
  for (const auto& [name, open] : openers) {
    SCOPED_TRACE(name);
    EXPECT_THROW(open(), EConvertError);
    EXPECT_EQ(Windows(), before);
  }
}

TEST_F(FormOpenerTest, TheLoginWindowGoesWhenAWindowOpenedFromItRaises) {
  // No users: the login window asks for the new-user window, which fails.
  class Failing final : public TWindowOpener {
  public:
    bool ShowAddNewUser(TRoot*) override { throw Exception("ED1C88A5/C"); }
    TUser* ShowLogin(TRoot*) override { return nullptr; }
    TCourse* ShowStart(TUser*) override { return nullptr; }
    bool ShowAuthorization(TUser*) override { return false; }
    std::optional<std::string> ChangePassword(TUser*) override { return std::nullopt; }
    void RunSession(TCourse*, TUser*) override {}
  } failing;
  app.root().setWindowOpener(&failing);
  const int before = Windows();
  EXPECT_THROW(opener.ShowLogin(&app.root()), Exception);
  EXPECT_EQ(Windows(), before);
  app.root().setWindowOpener(nullptr);
}

TEST_F(FormOpenerTest, APersonGoesFromTheNewUserWindowToTheStartWindowAndOut) {
  app.root().setWindowOpener(&opener);
  const int before = Windows();
  Script person({
      // clang-format off
      {"AddNewUserForm", [] { Type("Anna"); Press(Qt::Key_Return); }},
      {"Lomtak Login", [] { Press(Qt::Key_Escape); }},
      {"Lomtak Login", [] { Press(Qt::Key_Insert); }},
      {"AddNewUserForm", [] { Type("Boris"); Press(Qt::Key_Return); }},
      {"Lomtak Login", [] { Press(Qt::Key_Down); Press(Qt::Key_Return); }},
      {"Start", [] { Press(Qt::Key_Return); }},
      // The course's training screen, with the manual over it for a new user.
      {"Lomtak", [] { Press(Qt::Key_Escape); }},
      {" ", [] { PressKeyCode(9); }},  // Esc
      {"Start", [] { Press(Qt::Key_Escape); }},
      {"Lomtak Login", [] { Press(Qt::Key_Escape); }},
      // clang-format on
  });
  // The first Esc on the login window ends the run; a second run goes on from the login.
  app.root().Run();
  EXPECT_EQ(app.root().getUsers()->getCount(), 1);
  app.root().Run();
  EXPECT_TRUE(person.Done());
  EXPECT_EQ(app.root().getUsers()->getCount(), 2);
  EXPECT_TRUE(app.root().getCourses()->getCourse("English")->isLoaded());
  EXPECT_EQ(Windows(), before);
  TUser* user = app.root().getUsers()->Find("Anna");
  ASSERT_NE(user, nullptr);
  EXPECT_TRUE(std::filesystem::is_regular_file(user->getProfileFolder() + "/Profile.ini"));
  app.root().setWindowOpener(nullptr);
}

}  // namespace
