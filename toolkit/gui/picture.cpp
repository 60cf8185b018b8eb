#include "toolkit/gui/picture.h"

#include <memory>

#include "toolkit/gui/gifimage.h"
#include "toolkit/gui/jpegimage.h"
#include "toolkit/gui/pngimage.h"
#include "toolkit/sysutils.h"

void TPicture::Assign(const TGraphic* graphic) {
  if (graphic) {
    bitmap_.Assign(*graphic);
  } else {
    bitmap_ = TBitmap();
  }
  if (OnChange) OnChange();
}

void TPicture::LoadFromFile(const std::string& fileName) {
  const std::string name = LowerCase(fileName);
  std::unique_ptr<TGraphic> graphic;
  if (name.ends_with(".jpg") || name.ends_with(".jpeg")) {
    graphic = std::make_unique<TJPEGImage>();
  } else if (name.ends_with(".png")) {
    graphic = std::make_unique<TPNGImage>();
  } else if (name.ends_with(".gif")) {
    graphic = std::make_unique<TGIFImage>();
  } else {
    graphic = std::make_unique<TBitmap>();
  }
  graphic->LoadFromFile(fileName);
  Assign(graphic.get());
}
