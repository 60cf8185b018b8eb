#include "views/twallpaper.h"

#include <algorithm>

#include "resources/pictures/picture.h"
#include "toolkit/gui/jpegimage.h"
#include "views/viewplacement.h"

TWallpaper::TWallpaper(TComponent* Owner, const std::string& folder) : TPaintBox(Owner) {
  TJPEGImage builtIn;
  LoadPicture(&builtIn, "DEFAULT_WALLPAPER");
  Bitmap.Assign(builtIn);
  try {
    LoadPicture(&logo_, "LOGOTYPE_PNG");
  } catch (...) {
    // The pictures are drawn without a logo.
  }
  PlayList.LoadFolder(folder, "*.jpg");
  Loader = std::make_unique<TAsyncImageLoader>();
  Loader->Load(PlayList.Random());
  setAlign(alClient);
  PlaceHidden(this);
}

TWallpaper::~TWallpaper() = default;

TRect TWallpaper::PictureRect(int pictureWidth, int pictureHeight, int width, int height) {
  int w = pictureWidth, h = pictureHeight;
  if ((w < width || h < height) && w > 0 && h > 0) {
    double f = std::max(static_cast<double>(width) / w, static_cast<double>(height) / h);
    int k = static_cast<int>(f * 10) + 1;
    w = w * k / 10;
    h = h * k / 10;
  }
  return Bounds((width - w) / 2, (height - h) / 2, w, h);
}

void TWallpaper::Paint() {
  const int width = Width(), height = Height();
  Canvas()->StretchDraw(PictureRect(Bitmap.Width(), Bitmap.Height(), width, height), &Bitmap);
  if (!logo_.Empty()) Canvas()->Draw(width - logo_.Width() - 10, height - logo_.Height(), &logo_);
}

void TWallpaper::Next() {
  // The user-interface thread never gives up its time slice for the new loader, which has a core
  // of its own: on a busy machine that would hold the typist's next key for milliseconds.
  Loader->WaitFor();
  if (Loader->Loaded) Bitmap.Assign(Loader->Bitmap);
  Loader = std::make_unique<TAsyncImageLoader>();
  Loader->Load(PlayList.Random());
  Paint();
}
