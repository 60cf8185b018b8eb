#include "resources/pictures/picture.h"

#include "toolkit/gui/graphic.h"
#include "toolkit/gui/resourcestream.h"

void LoadPicture(TGraphic* picture, const std::string& name) {
  picture->LoadFromStream(TResourceStream(name, "IMAGE"));
}
