#include "app/gui/tintroductionform.h"

#include <memory>

#include "app/gui/browserframe.h"
#include "app/tlomtak.h"
#include "foundation/tenvironment.h"
#include "foundation/tinioptions.h"
#include "platform/gui/bringtotop.h"
#include "toolkit/gui/application.h"
#include "toolkit/gui/checkbox.h"
#include "toolkit/gui/panel.h"
#include "toolkit/gui/webbrowser.h"
#include "users/tuser.h"

namespace {

const char kSection[] = "IntroductionForm";
const char kAutoShow[] = "AutoShow";

}  // namespace

TIntroductionForm::TIntroductionForm(TComponent* Owner, TUser* User)
    : TMultilangForm(Owner), User(User) {
  Describe();
  // Without a user it lives, as the main window does, with an application object of its own.
  if (User)
    Construct(User);
  else
    Construct(std::make_unique<TLomtak>());
}

void TIntroductionForm::FormCreate(TObject*) {
  if (User) cbAutoShow->setChecked(User->getOptions()->ReadBool(kSection, kAutoShow, true));
}

void TIntroductionForm::FormShow(TObject*) { BringWindowToTop(this); }

void TIntroductionForm::FormActivate(TObject*) {
  Application->ProcessMessages();
  cwBrowser->Navigate("mk:@MSITStore:" + getRoot()->getEnvironment()->getManualFileName() +
                      "::/index.htm");
}

void TIntroductionForm::FormDestroy(TObject*) {
  if (User) User->getOptions()->WriteBool(kSection, kAutoShow, cbAutoShow->Checked());
}

void TIntroductionForm::pnBrowserResize(TObject*) { FitBrowserToPanel(cwBrowser, pnBrowser); }

void TIntroductionForm::acPrintExecute(TObject*) {
  cwBrowser->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_DODEFAULT);
}

void TIntroductionForm::acCloseExecute(TObject*) { Close(); }
