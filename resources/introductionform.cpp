// The window description of the manual window.

#include "app/gui/tintroductionform.h"
#include "resources/windowparts.h"
#include "toolkit/colors.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/checkbox.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/image.h"
#include "toolkit/gui/panel.h"
#include "toolkit/gui/shape.h"
#include "toolkit/gui/speedbutton.h"
#include "toolkit/gui/webbrowser.h"

void TIntroductionForm::Describe() {
  setName("IntroductionForm");
  setCaption("Lomtak");
  setBorderStyle(bsNone);
  setPosition(poScreenCenter);
  setFormStyle(fsStayOnTop);
  setClientWidth(800);
  setClientHeight(457);
  setColor(clWhite);

  shBorder = NewControl<TShape>(this, this, "shBorder", 0, 0, 800, 457);
  shBorder->Pen()->setColor(0xB08A5E);
  shBorder->Brush()->setStyle(bsClear);
  imLogotype = NewControl<TImage>(this, this, "imLogotype", 8, 24, 104, 96);
  ShowPicture(imLogotype, "INTRODUCTION_LOGO");
  imLeftBg = NewControl<TImage>(this, this, "imLeftBg", 681, 1, 118, 455);
  ShowPicture(imLeftBg, "INTRODUCTION_BACKGROUND");
  imClose = NewClosePicture(this, 800);
  imClose->OnClick = [this](TObject* sender) { acCloseExecute(sender); };
  shPageBorder = NewControl<TShape>(this, this, "shPageBorder", 119, 23, 562, 386);
  shPageBorder->Pen()->setColor(0xFCE2C7);
  shPageBorder->Brush()->setStyle(bsClear);
  pnBrowser = NewControl<TPanel>(this, this, "pnBrowser", 120, 24, 560, 384);
  pnBrowser->setColor(clWhite);
  pnBrowser->setBevelOuter(bvNone);
  pnBrowser->setCaption("0%");
  pnBrowser->OnResize = [this](TObject* sender) { pnBrowserResize(sender); };
  cwBrowser = NewControl<TCppWebBrowser>(this, pnBrowser, "cwBrowser", -2, -2, 564, 388);

  ActionList = NewComponent<TActionList>(this, "ActionList");
  acClose = NewComponent<TAction>(this, "acClose");
  acClose->setShortCut(27);
  acClose->OnExecute = [this](TObject* sender) { acCloseExecute(sender); };
  acPrint = NewComponent<TAction>(this, "acPrint");
  acPrint->OnExecute = [this](TObject* sender) { acPrintExecute(sender); };

  lsbPrint =
      NewPictureButton(this, "lsbPrint", 710, 262, 60, 60, "INTRODUCTION_PRINT", "", 0, acPrint);
  lsbOK = NewPictureButton(this, "lsbOK", 710, 340, 60, 60, "INTRODUCTION_OK", "", 0, acClose);
  cbAutoShow = NewControl<TCheckBox>(this, this, "cbAutoShow", 120, 422, 560, 20);
  cbAutoShow->setCaption("Display automatically before the session");
  cbAutoShow->setChecked(true);
  cbAutoShow->setColor(clWhite);
  cbAutoShow->Font()->setColor(0xFF780A);

  OnCreate = [this](TObject* sender) { FormCreate(sender); };
  OnShow = [this](TObject* sender) { FormShow(sender); };
  OnActivate = [this](TObject* sender) { FormActivate(sender); };
  OnDestroy = [this](TObject* sender) { FormDestroy(sender); };
}
