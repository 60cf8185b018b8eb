#include "views/twallpaper.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "resources/pictures/picture.h"
#include "toolkit/gui/jpegimage.h"
#include "toolkit/gui/screen.h"
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
  StartLoader(PlayList.Random());
  setAlign(alClient);
  setOpaque(true);
  PlaceHidden(this);
}

TWallpaper::~TWallpaper() = default;

TSize TWallpaper::CoverArea() const {
  // Before the training screen is laid out, the screen's size is all there is to go by.
  return {std::max(Width(), Screen->Width()), std::max(Height(), Screen->Height())};
}

void TWallpaper::StartLoader(const std::string& file) {
  Loader = std::make_unique<TAsyncImageLoader>();
  Loader->Load(file, CoverArea());
}

void TWallpaper::Resized() {
  TPaintBox::Resized();
  const TSize area = CoverArea();
  if (area.cx <= Loader->Area.cx && area.cy <= Loader->Area.cy) return;
  // A test size larger than the screen: the next picture, decoded for the screen, would be
  // drawn enlarged.
  const std::string file = Loader->FileName;
  StartLoader(file);
}

TRect TWallpaper::PictureRect(int pictureWidth, int pictureHeight, int width, int height) {
  // In 64 bits: a thin strip on a tall screen grows by thousands of tenths, past 32 bits (exact
  // for any area a control can have, under 2^24 pixels a side). A size that 32 bits cannot hold
  // is held at their end, which still covers the area.
  int64_t w = pictureWidth, h = pictureHeight;
  if ((w < width || h < height) && w > 0 && h > 0) {
    double f = std::max(static_cast<double>(width) / w, static_cast<double>(height) / h);
    int64_t k = static_cast<int64_t>(f * 10) + 1;
    w = std::min<int64_t>(w * k / 10, INT_MAX);
    h = std::min<int64_t>(h * k / 10, INT_MAX);
  }
  return Bounds(static_cast<int>((width - w) / 2), static_cast<int>((height - h) / 2),
                static_cast<int>(w), static_cast<int>(h));
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
  StartLoader(PlayList.Random());
  Paint();
}
