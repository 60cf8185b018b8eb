#pragma once
// The online window: the user's page on the web site (the online cabinet) in a browser control,
// loaded again at every activation. The user is not owned. Built, run modally and freed by the
// training screen; user-interface thread only.

#include <string>

#include "foundation/gui/tmultilangform.h"

class TAction;
class TActionList;
class TCppWebBrowser;
class TImage;
class TLabel;
class TPanel;
class TShape;
class TUser;

class TOnlineForm final : public TMultilangForm {
public:
  TOnlineForm(TComponent* Owner, TUser* User);

  // The window description (resources/onlineform.cpp).
  TShape* shBorder = nullptr;
  TImage* imHeader = nullptr;
  TImage* imClose = nullptr;
  TLabel* lbTitle = nullptr;
  TPanel* pnBrowser = nullptr;
  TCppWebBrowser* cwBrowser = nullptr;
  TActionList* ActionList = nullptr;
  TAction* actClose = nullptr;

  void FormActivate(TObject* Sender);
  void pnBrowserResize(TObject* Sender);
  void imCloseClick(TObject* Sender);
  void actCloseExecute(TObject* Sender);

  // The site's cabinet page for the user: the user's name goes in percent-encoded, so that a
  // blank, "&" or "#" in it can neither break the address nor add to it.
  std::string getCabinetURL() const;

private:
  void Describe();

  TUser* User;
};
