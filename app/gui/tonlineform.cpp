#include "app/gui/tonlineform.h"

#include "app/gui/browserframe.h"
#include "app/tlomtak.h"
#include "app/tsite.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/application.h"
#include "toolkit/gui/panel.h"
#include "toolkit/gui/webbrowser.h"
#include "users/tuser.h"

TOnlineForm::TOnlineForm(TComponent* Owner, TUser* User) : TMultilangForm(Owner), User(User) {
  Describe();
  Construct(User);
}

std::string TOnlineForm::getCabinetURL() const {
  return TLomtak::Of(getRoot())->getSite()->getURL(4, "OnlineForm") +
         "&name=" + TSite::EncodeQueryValue(User ? User->getName() : std::string());
}

void TOnlineForm::FormActivate(TObject*) {
  FitBrowserToPanel(cwBrowser, pnBrowser);
  Application->ProcessMessages();
  cwBrowser->Navigate(getCabinetURL());
}

void TOnlineForm::pnBrowserResize(TObject*) { FitBrowserToPanel(cwBrowser, pnBrowser); }

void TOnlineForm::imCloseClick(TObject*) { actClose->Execute(); }

void TOnlineForm::actCloseExecute(TObject*) { Close(); }
