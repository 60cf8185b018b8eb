// The window description of the start window.

#include "app/gui/tstartform.h"
#include "resources/windowparts.h"
#include "toolkit/colors.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/image.h"
#include "toolkit/gui/label.h"
#include "toolkit/gui/listbox.h"
#include "toolkit/gui/progressbar.h"
#include "toolkit/gui/shape.h"
#include "toolkit/gui/speedbutton.h"

namespace {

TLabel* NewShadowedLabel(TForm* form, const char* name, int left, int top, const char* font) {
  TLabel* label = NewControl<TLabel>(form, form, name, left, top, 0, 0);
  label->Font()->setName(font);
  label->Font()->setColor(clWhite);
  label->setShadowColor(0x3C2C2B);
  label->setShadowSize(1);
  return label;
}

}  // namespace

void TStartForm::Describe() {
  setName("StartForm");
  setCaption("Start");
  setBorderStyle(bsNone);
  setPosition(poScreenCenter);
  setClientWidth(806);
  setClientHeight(467);
  setColor(clWhite);
  auto mouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
    FormMouseDown(sender, button, shift, x, y);
  };
  OnMouseDown = mouseDown;

  spFormBorder = NewControl<TShape>(this, this, "spFormBorder", 0, 0, 806, 467);
  spFormBorder->Pen()->setColor(0x8C6A4A);
  spFormBorder->OnMouseDown = mouseDown;
  imSplash = NewControl<TImage>(this, this, "imSplash", 5, 5, 796, 303);
  ShowPhoto(imSplash, "START_SPLASH");
  imSplash->OnMouseDown = mouseDown;
  imRightTx = NewControl<TImage>(this, this, "imRightTx", 5, 312, 796, 150);
  ShowPicture(imRightTx, "START_BAND");
  imRightTx->OnMouseDown = mouseDown;

  lbReleaseName = NewShadowedLabel(this, "lbReleaseName", 380, 11, "Arial Narrow");
  lbReleaseName->setAutoSize(false);
  lbReleaseName->SetBounds(380, 11, 393, 21);
  lbReleaseName->setAlignment(taRightJustify);
  lbReleaseName->Font()->setHeight(-18);
  lbCopy = NewShadowedLabel(this, "lbCopy", 20, 292, "Tahoma");
  cgBaseLoading = NewControl<TProgressBar>(this, this, "cgBaseLoading", 7, 300, 792, 6);
  cgBaseLoading->setRange(0, 100);
  cgBaseLoading->setBarColor(clYellow);
  cgBaseLoading->setEndColor(0x8000FF);
  cgBaseLoading->setColor(0xFFFBF0);
  cgBaseLoading->setVisible(false);
  lbUser = NewControl<TLabel>(this, this, "lbUser", 8, 312, 0, 0);
  lbUser->Font()->setName("Tahoma");
  lbUser->Font()->setHeight(24);
  lbUser->Font()->setColor(0x3C2C2B);
  lbUser->setVisible(false);

  spLanguage = NewControl<TShape>(this, this, "spLanguage", 32, 351, 261, 73);
  spLanguage->setShape(stRoundRect);
  spLanguage->Pen()->setColor(0x8C6A4A);
  lbLearningLanguageTitle = NewLabel(this, "lbLearningLanguageTitle", 40, 344, " Language: ");
  lbLearningLanguageTitle->setTransparent(false);
  lbLearningLanguageTitle->setColor(clWhite);
  lbLanguage = NewControl<TListBox>(this, this, "lbLanguage", 41, 357, 245, 61);
  lbLanguage->setBorderless(true);
  lbLanguage->setItemHeight(16);
  lbLanguage->setSorted(true);
  lbLanguage->setColor(clWhite);
  lbLanguage->Font()->setName("Tahoma");
  lbLanguage->OnDblClick = [this](TObject* sender) { acStartExecute(sender); };

  ActionList = NewComponent<TActionList>(this, "ActionList");
  acStart = NewAction(this, "acStart", 13, [this](TObject* sender) { acStartExecute(sender); });
  acStart->setCaption("START");
  acClose = NewAction(this, "acClose", 27, [this](TObject* sender) { acCloseExecute(sender); });
  acClose->setCaption("Close");

  lbStart = NewPictureButton(this, "lbStart", 569, 347, 200, 80, "BUTTON_START", "START     ", 40,
                             acStart);
  lbVersion = NewShadowedLabel(this, "lbVersion", 12, 440, "Tahoma");
  sbSite = NewControl<TSpeedButton>(this, this, "sbSite", 688, 436, 109, 19);
  sbSite->setFlat(true);
  sbSite->setCursor(crHandPoint);
  sbSite->Font()->setName("Tahoma");
  sbSite->Font()->setStyle(fsUnderline);
  sbSite->Font()->setColor(clWhite);
  sbSite->OnClick = [this](TObject* sender) { sbSiteClick(sender); };
  imClose = NewClosePicture(this, 806);
  imClose->OnClick = [this](TObject* sender) { acCloseExecute(sender); };

  OnShow = [this](TObject* sender) { FormShow(sender); };
  OnDestroy = [this](TObject* sender) { FormDestroy(sender); };
}
