#include "app/gui/tonlineform.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTextBrowser>
#include <string>

#include "app/tlomtak.h"
#include "app/tsite.h"
#include "support/guiapplication.h"
#include "support/httpserver.h"
#include "support/installation.h"
#include "support/messageboxes.h"
#include "support/modalrun.h"
#include "toolkit/codepage.h"
#include "toolkit/gui/image.h"
#include "toolkit/gui/panel.h"
#include "toolkit/gui/webbrowser.h"
#include "users/tuser.h"
#include "users/tusers.h"

namespace {

// Every web request of these tests goes to a loopback server, never to the site itself.
class OnlineFormTest : public testing::Test {
protected:
  void TearDown() override { EXPECT_TRUE(Boxes.Shown.empty()); }

  // As the training screen makes it: no owner, the user.
  TOwnedPtr<TOnlineForm> Make(const std::string& name) {
    TOwnedPtr<TOnlineForm> form(new TOnlineForm(nullptr, Program.root().getUsers()->Add(name)));
    form->AfterConstruction();
    return form;
  }
  std::string Cabinet() { return Program.root().getSite()->getURL(4, "OnlineForm"); }
  static QString Text(TOnlineForm* form) {
    return static_cast<QTextBrowser*>(form->cwBrowser->Handle())->toPlainText();
  }

  Installation Program;
  MessageBoxes Boxes;
};

TEST_F(OnlineFormTest, TheUsersNameGoesIntoTheCabinetAddressEncoded) {
  auto form = Make(FromUtf8("Иван & Co #1"));
  EXPECT_EQ(form->getCabinetURL(), Cabinet() + "&name=%D0%98%D0%B2%D0%B0%D0%BD%20%26%20Co%20%231");
}

TEST_F(OnlineFormTest, EveryActivationLoadsTheCabinetPageAndEscCloses) {
  HttpServer site("<html><body><p>Welcome to your cabinet</p></body></html>");
  LoopbackProxy proxy(site.Port());
  auto form = Make("Anna Smith");
  std::string shown;
  EXPECT_EQ(RunModalAndPress(form.get(), Qt::Key_Escape,
                             [&] {
                               shown = form->cwBrowser->LocationURL();
                               EXPECT_TRUE(QTest::qWaitFor([&] { return !form->cwBrowser->Busy(); },
                                                           10000));
                             }),
            mrCancel);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(shown, Cabinet() + "&name=Anna%20Smith");
  EXPECT_TRUE(Text(form.get()).contains("Welcome to your cabinet"));
  EXPECT_TRUE(site.Request.startsWith(
      QByteArray::fromStdString("GET " + Cabinet() + "&name=Anna%20Smith HTTP/1.1\r\n")))
      << site.Request.toStdString();

  site.Request.clear();
  EXPECT_EQ(RunModalAndPress(form.get(), Qt::Key_Escape), mrCancel);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !site.Request.isEmpty(); }, 10000));
}

TEST_F(OnlineFormTest, AnUnreachableSiteShowsAPageSayingSoAndReportsNothing) {
  LoopbackProxy proxy(HttpServer::RefusedPort());
  auto form = Make("Anna");
  form->FormActivate(form.get());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form->cwBrowser->Busy(); }, 10000));
  EXPECT_TRUE(Text(form.get()).contains("This page cannot be shown"));
}

TEST_F(OnlineFormTest, TheClosePictureClosesTheWindow) {
  HttpServer site("<html><body>cabinet</body></html>");
  LoopbackProxy proxy(site.Port());
  auto form = Make("Anna");
  EXPECT_EQ(RunModalAndPress(form.get(), Qt::Key_unknown,
                             [&] { QTest::mouseClick(form->imClose->Handle(), Qt::LeftButton); }),
            mrCancel);
}

TEST_F(OnlineFormTest, TheBrowserStaysFourPixelsWiderAndHigherThanItsPanel) {
  auto form = Make("Anna");
  for (auto [width, height] : {std::pair{400, 300}, {790, 526}}) {
    SCOPED_TRACE(width);
    form->pnBrowser->SetBounds(5, 44, width, height);
    EXPECT_EQ(form->cwBrowser->Width(), width + 4);
    EXPECT_EQ(form->cwBrowser->Height(), height + 4);
    EXPECT_EQ(form->cwBrowser->Left(), -2);
    EXPECT_EQ(form->cwBrowser->Top(), -2);
  }
}

}  // namespace
