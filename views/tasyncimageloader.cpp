#include "views/tasyncimageloader.h"

#include "toolkit/gui/jpegimage.h"
#include "views/twallpaper.h"

TAsyncImageLoader::~TAsyncImageLoader() { WaitFor(); }

void TAsyncImageLoader::Load(const std::string& fileName, TSize area, TSize size,
                             const TGraphic& logo) {
  FileName = fileName;
  Area = area;
  Size.set(size);
  logo_.Assign(logo);
  Loaded = false;
  Start();
}

void TAsyncImageLoader::Redraw(const TAsyncImageLoader& done, TSize size) {
  Bitmap.Assign(done.Bitmap);
  decoded_ = true;
  Load(done.FileName, done.Area, size, done.logo_);
}

void TAsyncImageLoader::Execute() {
  Retired.clear();
  if (!decoded_) {
    // A failure ends the thread quietly: the wallpaper keeps its picture.
    TJPEGImage jpeg;
    jpeg.setCoverArea(Area);
    jpeg.LoadFromFile(FileName);
    Bitmap.Assign(jpeg);
  }
  // Scaled here, the picture costs the line's end a copy of its pixels. A wallpaper laid out
  // meanwhile gets it for its new size.
  TSize size = Size.get();
  do {
    TWallpaper::Cover(Bitmap, logo_, size, &Shown);
    ShownSize = size;
    size = Size.get();
  } while (size.cx != ShownSize.cx || size.cy != ShownSize.cy);
  Loaded = true;
}
