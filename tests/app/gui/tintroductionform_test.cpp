#include "app/gui/tintroductionform.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <filesystem>
#include <set>
#include <string>

#include "app/tlomtak.h"
#include "foundation/tinioptions.h"
#include "support/guiapplication.h"
#include "support/installation.h"
#include "support/messageboxes.h"
#include "support/modalrun.h"
#include "support/tempdir.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/checkbox.h"
#include "toolkit/gui/panel.h"
#include "toolkit/gui/webbrowser.h"
#include "users/tuser.h"
#include "users/tusers.h"

namespace {

class IntroductionFormTest : public testing::Test {
protected:
  void SetUp() override { User = Program.root().getUsers()->Add("Anna"); }
  void TearDown() override { EXPECT_TRUE(Boxes.Shown.empty()); }

  void InstallManual() {
    std::filesystem::copy_file(std::string(LOMTAK_DIST_DIR) + "/Manual.chm",
                               Program.getProgramDir() + "/Manual.chm");
  }
  std::string ManualAddress(const std::string& page) const {
    return "mk:@MSITStore:" + Program.getProgramDir() + "/Manual.chm::" + page;
  }
  std::string StoredAutoShow() const {
    TIniOptions profile(User->getProfileFolder() + "/Profile.ini", false);
    return profile.ReadString("IntroductionForm", "AutoShow", "missing");
  }
  // A window as the training screen makes it: no owner, the user; OnCreate has run.
  TOwnedPtr<TIntroductionForm> Make(TUser* user) {
    TOwnedPtr<TIntroductionForm> form(new TIntroductionForm(nullptr, user));
    form->AfterConstruction();
    return form;
  }
  static QTextBrowser* View(TIntroductionForm* form) {
    return static_cast<QTextBrowser*>(form->cwBrowser->Handle());
  }

  Installation Program;
  MessageBoxes Boxes;
  TUser* User = nullptr;
};

TEST_F(IntroductionFormTest, AutoShowIsReadWhenTheWindowIsBuiltAndWrittenWhenItGoes) {
  auto form = Make(User);
  // A missing key: the box is on, and the default is written back at once.
  EXPECT_TRUE(form->cbAutoShow->Checked());
  EXPECT_EQ(StoredAutoShow(), "1");
  form->cbAutoShow->setChecked(false);
  EXPECT_EQ(StoredAutoShow(), "1");
  form.reset();
  EXPECT_EQ(StoredAutoShow(), "0");
  EXPECT_FALSE(Make(User)->cbAutoShow->Checked());
}

TEST_F(IntroductionFormTest, WithoutAUserTheBoxKeepsItsDescriptionAndNothingIsWritten) {
  auto form = Make(nullptr);
  EXPECT_TRUE(form->cbAutoShow->Checked());
  form->cbAutoShow->setChecked(false);
  form.reset();
  EXPECT_EQ(StoredAutoShow(), "missing");
}

TEST_F(IntroductionFormTest, EveryActivationShowsTheManualsFirstPageAndEscCloses) {
  InstallManual();
  auto form = Make(User);
  std::string shown;
  QString text;
  EXPECT_EQ(RunModalAndPress(form.get(), Qt::Key_Escape,
                             [&] {
                               shown = form->cwBrowser->LocationURL();
                               text = View(form.get())->toPlainText();
                             }),
            mrCancel);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(shown, ManualAddress("/index.htm"));
  EXPECT_TRUE(text.contains("Welcome to Lomtak"));

  form->cwBrowser->Navigate(ManualAddress("/keys.htm"));
  EXPECT_EQ(
      RunModalAndPress(form.get(), Qt::Key_Escape, [&] { shown = form->cwBrowser->LocationURL(); }),
      mrCancel);
  EXPECT_EQ(shown, ManualAddress("/index.htm"));
}

TEST_F(IntroductionFormTest, EveryPageOfTheManualIsReachedAndItsLinksAndPicturesResolveInside) {
  InstallManual();
  auto form = Make(User);
  form->FormActivate(form.get());
  QTextBrowser* view = View(form.get());
  std::set<std::string> seen, pending{"/index.htm"};
  while (!pending.empty()) {
    const std::string page = *pending.begin();
    pending.erase(pending.begin());
    seen.insert(page);
    SCOPED_TRACE(page);
    form->cwBrowser->Navigate(ManualAddress(page));
    ASSERT_FALSE(view->toPlainText().contains("cannot be shown"));
    for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next()) {
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        if (format.isImageFormat()) {
          const QString name = format.toImageFormat().name();
          EXPECT_FALSE(
              view->document()->resource(QTextDocument::ImageResource, QUrl(name)).isNull())
              << name.toStdString();
        }
        if (!format.isAnchor()) continue;
        const QUrl link = QUrl("chm:///").resolved(QUrl(format.anchorHref()));
        ASSERT_EQ(link.scheme(), "chm") << format.anchorHref().toStdString();
        const std::string target = link.path().toStdString();
        if (!seen.count(target)) pending.insert(target);
      }
    }
  }
  // The contents and every page of the guide.
  EXPECT_GE(seen.size(), 8u);
}

TEST_F(IntroductionFormTest, AMissingManualShowsAPageSayingSoAndReportsNothing) {
  auto form = Make(User);
  form->FormActivate(form.get());
  EXPECT_EQ(form->cwBrowser->LocationURL(), ManualAddress("/index.htm"));
  EXPECT_TRUE(View(form.get())->toPlainText().contains("This page cannot be shown"));
}

TEST_F(IntroductionFormTest, PrintHandsThePageShownToThePrintHandler) {
  InstallManual();
  QString printed;
  TPrintHandler before =
      SetPrintHandler([&](QTextDocument& page) { printed = page.toPlainText(); });
  auto form = Make(User);
  form->FormActivate(form.get());
  form->acPrint->Execute();
  SetPrintHandler(before);
  EXPECT_TRUE(printed.contains("Welcome to Lomtak"));
}

TEST_F(IntroductionFormTest, TheBrowserStaysFourPixelsWiderAndHigherThanItsPanel) {
  auto form = Make(User);
  for (auto [width, height] : {std::pair{560, 384}, {300, 200}, {900, 700}}) {
    SCOPED_TRACE(width);
    form->pnBrowser->SetBounds(120, 24, width, height);
    EXPECT_EQ(form->cwBrowser->Left(), -2);
    EXPECT_EQ(form->cwBrowser->Top(), -2);
    EXPECT_EQ(form->cwBrowser->Width(), width + 4);
    EXPECT_EQ(form->cwBrowser->Height(), height + 4);
  }
}

}  // namespace
