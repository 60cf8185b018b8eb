#include "app/gui/taboutform.h"

#include <gtest/gtest.h>

#include <QTest>
#include <string>
#include <vector>

#include "app/tlomtak.h"
#include "app/tsite.h"
#include "app/tversion.h"
#include "platform/openaddress.h"
#include "support/guiapplication.h"
#include "support/installation.h"
#include "support/messageboxes.h"
#include "support/modalrun.h"
#include "toolkit/gui/image.h"
#include "toolkit/gui/label.h"
#include "toolkit/gui/speedbutton.h"
#include "toolkit/versioninfo.h"

namespace {

class AboutFormTest : public testing::Test {
protected:
  // As the training screen makes it: no owner, the application object.
  TOwnedPtr<TAboutForm> Make() {
    TOwnedPtr<TAboutForm> form(new TAboutForm(nullptr, &Program.root()));
    form->AfterConstruction();
    return form;
  }

  Installation Program;
  MessageBoxes Boxes;
};

TEST_F(AboutFormTest, ShowsTheFileVersionTheCreditsAndTheSitesHost) {
  auto form = Make();
  EXPECT_EQ(form->lbCaptions->Caption(),
            "Version:\r\nDeveloper:\r\nGraphic design:\r\nLomtak online:");
  const std::string version = TVersion::FileVersionOf(TVersionInfo::OfProgram());
  ASSERT_FALSE(version.empty());
  const std::string about = form->lbAbout->Caption();
  EXPECT_EQ(about.substr(0, version.size() + 2), version + "\r\n");
  // The version and the two credit lines, beside the first three captions.
  EXPECT_EQ(std::count(about.begin(), about.end(), '\n'), 2);
  EXPECT_EQ(form->lbSite->Caption(), Program.root().getSite()->getHost());
  // Each value line stands beside its caption, which lies whole inside the window.
  EXPECT_GT(form->lbCaptions->Left(), 0);
  EXPECT_EQ(form->lbCaptions->Left() + form->lbCaptions->Width() + 10, form->lbAbout->Left());
  EXPECT_EQ(form->lbAbout->Top(), form->lbCaptions->Top());
  EXPECT_EQ(form->lbSite->Top(), form->lbCaptions->Top() + form->lbCaptions->Height() * 3 / 4);
  EXPECT_TRUE(Boxes.Shown.empty());
}

TEST_F(AboutFormTest, TheSiteLinkOpensTheVisitPageInTheDefaultBrowser) {
  std::vector<std::string> opened;
  TOpenAddressHandler before =
      SetOpenAddressHandler([&](const std::string& address) { opened.push_back(address); });
  auto form = Make();
  form->lbSite->OnClick(form->lbSite);
  SetOpenAddressHandler(before);
  EXPECT_EQ(opened, std::vector<std::string>{Program.root().getSite()->getURL(0, "About")});
}

TEST_F(AboutFormTest, EscTheCloseOrTheOkPictureClosesTheWindow) {
  auto form = Make();
  EXPECT_EQ(RunModalAndPress(form.get(), Qt::Key_Escape), mrCancel);
  EXPECT_FALSE(form->Visible());
  for (TControl* closer :
       {static_cast<TControl*>(form->imClose), static_cast<TControl*>(form->lsbOK)}) {
    SCOPED_TRACE(closer->Name());
    EXPECT_EQ(RunModalAndPress(form.get(), Qt::Key_unknown,
                               [closer] { QTest::mouseClick(closer->Handle(), Qt::LeftButton); }),
              mrCancel);
  }
}

}  // namespace
