#pragma once
// The manual window: the compiled help manual "Manual.chm" of the program folder, page by page
// in a browser control, with a print button and the box that decides whether the training
// screen opens the manual by itself ("AutoShow" of section "IntroductionForm" in the user's
// profile, read when the window is built, written when it is destroyed). The user is not
// owned and may be none: then the window owns an application object of its own. Built, run
// modally and freed by the training screen; user-interface thread only.

#include "foundation/gui/tmultilangform.h"

class TAction;
class TActionList;
class TCheckBox;
class TCppWebBrowser;
class TImage;
class TPanel;
class TShape;
class TSpeedButton;
class TUser;

class TIntroductionForm final : public TMultilangForm {
public:
  TIntroductionForm(TComponent* Owner, TUser* User);

  // The window description (resources/introductionform.cpp).
  TShape* shBorder = nullptr;
  TImage* imLogotype = nullptr;
  TImage* imLeftBg = nullptr;
  TImage* imClose = nullptr;
  TShape* shPageBorder = nullptr;
  TPanel* pnBrowser = nullptr;
  TCppWebBrowser* cwBrowser = nullptr;
  TSpeedButton* lsbPrint = nullptr;
  TSpeedButton* lsbOK = nullptr;
  TCheckBox* cbAutoShow = nullptr;
  TActionList* ActionList = nullptr;
  TAction* acClose = nullptr;
  TAction* acPrint = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  // Every activation shows the manual's first page again.
  void FormActivate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  // The browser's 2-pixel frame lies outside the panel on every side.
  void pnBrowserResize(TObject* Sender);
  void acPrintExecute(TObject* Sender);
  void acCloseExecute(TObject* Sender);

private:
  void Describe();

  TUser* User;
};
