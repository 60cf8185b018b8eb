#pragma once
// The about window: the program's file version, the two credit lines, and the link to the web
// site, which opens in the default browser. Keeps nothing of its own; the object it is built
// with only leads to the application object. Built, run modally and freed by the training
// screen; user-interface thread only.

#include "foundation/gui/tmultilangform.h"

class TAction;
class TActionList;
class TImage;
class TLabel;
class TShape;
class TSpeedButton;

class TAboutForm final : public TMultilangForm {
public:
  TAboutForm(TComponent* Owner, TLTObject* Object);

  // The window description (resources/aboutform.cpp).
  TShape* shBorder = nullptr;
  TImage* imBackground = nullptr;
  TImage* imClose = nullptr;
  TSpeedButton* lsbOK = nullptr;
  TLabel* lbCaptions = nullptr;
  TLabel* lbAbout = nullptr;
  TLabel* lbSite = nullptr;
  TActionList* ActionList = nullptr;
  TAction* acClose = nullptr;

  void lbSiteClick(TObject* Sender);
  void acCloseExecute(TObject* Sender);

private:
  void Describe();
};
