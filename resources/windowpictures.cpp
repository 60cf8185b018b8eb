#include "resources/windowpictures.h"

#include "resources/pictures/picture.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/image.h"
#include "toolkit/gui/pngimage.h"
#include "toolkit/gui/speedbutton.h"

void ShowPicture(TImage* image, const std::string& name) {
  TPNGImage picture;
  LoadPicture(&picture, name);
  image->Picture()->Assign(&picture);
}

TImage* NewClosePicture(TForm* form, int windowWidth) {
  TImage* close = NewControl<TImage>(form, form, "imClose", windowWidth - 24, 5, 19, 19);
  close->setCursor(crHandPoint);
  ShowPicture(close, "CLOSE");
  return close;
}

TSpeedButton* NewPictureButton(TForm* form, const std::string& name, int left, int top,
                               int width, int height, const std::string& picture,
                               TAction* action) {
  TSpeedButton* button = NewControl<TSpeedButton>(form, form, name, left, top, width, height);
  button->setFlat(true);
  button->setNumGlyphs(4);
  TPNGImage strip;
  LoadPicture(&strip, picture);
  button->Glyph()->Assign(strip);
  button->setCursor(crHandPoint);
  if (action) button->setAction(action);
  return button;
}
