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
  std::string name = LowerCase(fileName);
  auto endsWith = [&name](const std::string& end) {
    return name.size() >= end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0;
  };
  std::unique_ptr<TGraphic> graphic;
  if (endsWith(".jpg") || endsWith(".jpeg")) {
    graphic = std::make_unique<TJPEGImage>();
  } else if (endsWith(".png")) {
    graphic = std::make_unique<TPNGImage>();
  } else if (endsWith(".gif")) {
    graphic = std::make_unique<TGIFImage>();
  } else {
    graphic = std::make_unique<TBitmap>();
  }
  graphic->LoadFromFile(fileName);
  Assign(graphic.get());
}
