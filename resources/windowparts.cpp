#include "resources/windowparts.h"

#include "resources/pictures/picture.h"
#include "toolkit/colors.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/bitmap.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/edit.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/image.h"
#include "toolkit/gui/imagelist.h"
#include "toolkit/gui/jpegimage.h"
#include "toolkit/gui/label.h"
#include "toolkit/gui/pngimage.h"
#include "toolkit/gui/shape.h"
#include "toolkit/gui/speedbutton.h"

namespace {

template <class TFormat>
void ShowAs(TImage* image, const std::string& name) {
  TFormat picture;
  LoadPicture(&picture, name);
  image->Picture()->Assign(&picture);
}

}  // namespace

void ShowPicture(TImage* image, const std::string& name) { ShowAs<TPNGImage>(image, name); }

void ShowPhoto(TImage* image, const std::string& name) { ShowAs<TJPEGImage>(image, name); }

void LoadGlyph(TBitmap* glyph, const std::string& name) {
  TPNGImage picture;
  LoadPicture(&picture, name);
  glyph->Assign(picture);
}

TImageList* NewAvatars(TForm* form, const std::string& name) {
  // Decoded once: the login window and the account windows that follow it show the same strip.
  static const TPNGImage& strip = []() -> const TPNGImage& {
    auto* picture = new TPNGImage;
    LoadPicture(picture, "AVATARS");
    return *picture;
  }();
  TImageList* avatars = NewComponent<TImageList>(form, name);
  avatars->setSize(32, 20);
  avatars->Add(strip);
  return avatars;
}

TImage* NewClosePicture(TForm* form, int windowWidth) {
  TImage* close = NewControl<TImage>(form, form, "imClose", windowWidth - 24, 5, 19, 19);
  close->setCursor(crHandPoint);
  ShowPicture(close, "CLOSE");
  return close;
}

TSpeedButton* NewPictureButton(TForm* form, const std::string& name, int left, int top, int width,
                               int height, const std::string& picture, const std::string& caption,
                               int fontHeight, TAction* action) {
  TSpeedButton* button = NewControl<TSpeedButton>(form, form, name, left, top, width, height);
  button->setFlat(true);
  button->setGlyphUnderCaption(true);
  button->setNumGlyphs(4);
  LoadGlyph(button->Glyph(), picture);
  button->setCursor(crHandPoint);
  button->Font()->setName("Arial Narrow");
  button->Font()->setHeight(fontHeight);
  button->Font()->setColor(0x3C2C2B);
  button->setCaption(caption);
  button->setAction(action);
  return button;
}

TSpeedButton* NewAccountButton(TForm* form, int left, int top, const std::string& caption,
                               TAction* action) {
  return NewPictureButton(form, "sbOk", left, top, 200, 40, "BUTTON_WIDE", caption, 20, action);
}

TAction* NewAction(TForm* form, const std::string& name, int shortCut,
                   std::function<void(TObject*)> handler) {
  TAction* action = NewComponent<TAction>(form, name);
  action->setShortCut(shortCut);
  action->OnExecute = std::move(handler);
  return action;
}

TLabel* NewLabel(TForm* form, const std::string& name, int left, int top,
                 const std::string& caption) {
  TLabel* label = NewControl<TLabel>(form, form, name, left, top, 0, 0);
  label->setCaption(caption);
  return label;
}

TLabel* NewRightLabel(TForm* form, const std::string& name, int left, int top, int width) {
  TLabel* label = NewControl<TLabel>(form, form, name, left, top, width, 13);
  label->setAutoSize(false);
  label->setAlignment(taRightJustify);
  return label;
}

TEdit* NewPasswordEdit(TForm* form, const std::string& name, int left, int top, int width,
                       int height) {
  TEdit* edit = NewControl<TEdit>(form, form, name, left, top, width, height);
  edit->setPasswordChar('*');
  return edit;
}

void DescribeAccountWindow(TForm* form, int width, int height, TColor color, int titleTop,
                           const std::string& title, TShape*& frame, TImage*& header,
                           TLabel*& titleLabel) {
  form->setBorderStyle(bsNone);
  form->setPosition(poScreenCenter);
  form->setClientWidth(width);
  form->setClientHeight(height);
  form->setColor(color);

  frame = NewControl<TShape>(form, form, "spFrame", 0, 0, width, height);
  frame->Pen()->setColor(0x8C6A4A);
  frame->Brush()->setStyle(bsClear);
  header = NewControl<TImage>(form, form, "imHeader", 1, 1, width - 2, 40);
  header->setStretch(true);
  ShowPicture(header, "ACCOUNT_HEADER");
  titleLabel = NewLabel(form, "lbTitle", 68, titleTop, title);
  titleLabel->Font()->setName("Arial Narrow");
  titleLabel->Font()->setHeight(-20);
  titleLabel->Font()->setColor(clWhite);
}
