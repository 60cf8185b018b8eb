// The window description of the online window.

#include "app/gui/tonlineform.h"
#include "resources/windowparts.h"
#include "toolkit/codepage.h"
#include "toolkit/colors.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/image.h"
#include "toolkit/gui/label.h"
#include "toolkit/gui/panel.h"
#include "toolkit/gui/shape.h"
#include "toolkit/gui/webbrowser.h"

void TOnlineForm::Describe() {
  setName("OnlineForm");
  setCaption("Lomtak Online");
  setBorderStyle(bsNone);
  setPosition(poScreenCenter);
  setClientWidth(800);
  setClientHeight(575);
  setColor(clWhite);

  shBorder = NewControl<TShape>(this, this, "shBorder", 0, 0, 800, 575);
  shBorder->Pen()->setColor(0xB08A5E);
  shBorder->Brush()->setStyle(bsClear);
  imHeader = NewControl<TImage>(this, this, "imHeader", 5, 0, 790, 48);
  ShowPicture(imHeader, "ONLINE_HEADER");
  imClose = NewClosePicture(this, 800);
  imClose->OnClick = [this](TObject* sender) { imCloseClick(sender); };
  lbTitle = NewControl<TLabel>(this, this, "lbTitle", 16, 10, 0, 0);
  lbTitle->Font()->setName("Arial Narrow");
  lbTitle->Font()->setHeight(-20);
  lbTitle->Font()->setColor(clWhite);
  lbTitle->setCaption(FromUtf8("Lomtak Online. Кабинет пользователя."));
  pnBrowser = NewControl<TPanel>(this, this, "pnBrowser", 5, 44, 790, 526);
  pnBrowser->setBevelOuter(bvNone);
  pnBrowser->OnResize = [this](TObject* sender) { pnBrowserResize(sender); };
  cwBrowser = NewControl<TCppWebBrowser>(this, pnBrowser, "cwBrowser", -2, -2, 792, 528);

  ActionList = NewComponent<TActionList>(this, "ActionList");
  actClose = NewComponent<TAction>(this, "actClose");
  actClose->setShortCut(27);
  actClose->OnExecute = [this](TObject* sender) { actCloseExecute(sender); };

  OnActivate = [this](TObject* sender) { FormActivate(sender); };
}
