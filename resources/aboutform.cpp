// The window description of the about window.

#include "app/gui/taboutform.h"
#include "resources/windowparts.h"
#include "toolkit/colors.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/image.h"
#include "toolkit/gui/label.h"
#include "toolkit/gui/shape.h"
#include "toolkit/gui/speedbutton.h"

namespace {

// A label of the about window: Tahoma on the background, with a white shadow to the lower right.
TLabel* NewAboutLabel(TForm* form, const std::string& name, int left, int top, int width) {
  TLabel* label = NewControl<TLabel>(form, form, name, left, top, width, 18);
  label->Font()->setName("Tahoma");
  label->Font()->setHeight(-13);
  label->Font()->setColor(0x3C2C2B);
  label->setShadowColor(clWhite);
  label->setShadowSize(1);
  return label;
}

}  // namespace

void TAboutForm::Describe() {
  setName("AboutForm");
  setCaption("Lomtak");
  setBorderStyle(bsNone);
  setPosition(poScreenCenter);
  setFormStyle(fsStayOnTop);
  setClientWidth(512);
  setClientHeight(375);

  imBackground = NewControl<TImage>(this, this, "imBackground", 0, 0, 512, 375);
  ShowPicture(imBackground, "ABOUT_BACKGROUND");
  shBorder = NewControl<TShape>(this, this, "shBorder", 0, 0, 512, 375);
  shBorder->Pen()->setColor(0xB08A5E);
  shBorder->Brush()->setStyle(bsClear);
  imClose = NewClosePicture(this, 512);
  imClose->OnClick = [this](TObject* sender) { acCloseExecute(sender); };

  ActionList = NewComponent<TActionList>(this, "ActionList");
  acClose = NewComponent<TAction>(this, "acClose");
  acClose->setShortCut(27);
  acClose->OnExecute = [this](TObject* sender) { acCloseExecute(sender); };

  lsbOK = NewPictureButton(this, "lsbOK", 414, 283, 74, 74, "ABOUT_OK", "", 0, acClose);
  lbCaptions = NewAboutLabel(this, "lbCaptions", 40, 200, 150);
  lbCaptions->setAlignment(taRightJustify);
  lbCaptions->setCaption("Version:\r\nDeveloper:\r\nGraphic design:\r\nLomtak online:");
  // Sized to its text, it ends 10 pixels before the values.
  lbCaptions->setLeft(190 - lbCaptions->Width());
  lbAbout = NewAboutLabel(this, "lbAbout", 200, 200, 260);
  // In the fourth line, under the three values.
  lbSite = NewAboutLabel(this, "lbSite", 200, 200 + lbCaptions->Height() * 3 / 4, 260);
  lbSite->Font()->setColor(clBlue);
  lbSite->Font()->setStyle(fsUnderline);
  lbSite->setCursor(crHandPoint);
  lbSite->OnClick = [this](TObject* sender) { lbSiteClick(sender); };
}
