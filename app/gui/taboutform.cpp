#include "app/gui/taboutform.h"

#include <thread>

#include "app/tlomtak.h"
#include "app/tsite.h"
#include "app/tversion.h"
#include "toolkit/gui/label.h"
#include "toolkit/versioninfo.h"

namespace {

const char kCredits[] = "The Lomtak developers\r\nThe Lomtak developers";

}  // namespace

TAboutForm::TAboutForm(TComponent* Owner, TLTObject* Object) : TMultilangForm(Owner) {
  Describe();
  Construct(Object);
  lbSite->setCaption(TLomtak::Of(getRoot())->getSite()->getHost());
  lbAbout->setCaption(TVersion::FileVersionOf(TVersionInfo::OfProgram()) + "\r\n" + kCredits);
}

void TAboutForm::lbSiteClick(TObject*) { TLomtak::Of(getRoot())->getSite()->OpenURL(0, "About"); }

void TAboutForm::acCloseExecute(TObject*) {
  // The time slice is given up around the close, so the training screen's key handling
  // settles before and after the window goes.
  std::this_thread::yield();
  Close();
  std::this_thread::yield();
}
