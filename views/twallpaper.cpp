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
  setAlign(alClient);
  setOpaque(true);
  PlaceHidden(this);
  // Placed first, so that the first picture is drawn for the size the wallpaper has.
  StartLoader(PlayList.Random());
}

TWallpaper::~TWallpaper() = default;

namespace {

bool SameSize(TSize a, TSize b) { return a.cx == b.cx && a.cy == b.cy; }

// Changes with every change of the picture's pixels, and stays with a copy that shares them.
int64_t PixelsKey(const TBitmap& picture) { return picture.Image().cacheKey(); }

}  // namespace

TSize TWallpaper::CoverArea() const {
  // Before the training screen is laid out, the screen's size is all there is to go by.
  return {std::max(Width(), Screen->Width()), std::max(Height(), Screen->Height())};
}

void TWallpaper::StartLoader(const std::string& file) {
  Loader = std::make_unique<TAsyncImageLoader>();
  Loader->Retired = std::move(retired_);
  retired_.clear();
  Loader->Load(file, CoverArea(), ShownSize(), logo_);
}

void TWallpaper::Resized() {
  TPaintBox::Resized();
  // Placed while it is being built, before its first loader.
  if (!Loader) return;
  const TSize area = CoverArea();
  if (area.cx > Loader->Area.cx || area.cy > Loader->Area.cy) {
    // A test size larger than the screen: the next picture, decoded for the screen, would be
    // drawn enlarged.
    const std::string file = Loader->FileName;
    StartLoader(file);
    return;
  }
  // A loader at work draws for the new size once it has decoded; one that is done has its
  // picture drawn again, not decoded again, so that the line's end only copies it.
  Loader->Size.set(ShownSize());
  if (Loader->Finished() && Loader->Loaded && !SameSize(Loader->ShownSize, ShownSize())) {
    auto redraw = std::make_unique<TAsyncImageLoader>();
    redraw->Redraw(*Loader, ShownSize());
    Loader = std::move(redraw);
  }
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

void TWallpaper::Cover(const TBitmap& picture, const TGraphic& logo, TSize size, TBitmap* shown) {
  TBitmap drawn;
  drawn.setSize(size.cx, size.cy);
  TCanvas* canvas = drawn.Canvas();
  canvas->StretchDraw(PictureRect(picture.Width(), picture.Height(), size.cx, size.cy), &picture);
  canvas->Draw(size.cx - logo.Width() - 10, size.cy - logo.Height(), &logo);
  shown->Assign(drawn);
}

void TWallpaper::TakeShown(const TBitmap& shown, TSize size) {
  shown_.Assign(shown);
  shownSize_ = size;
  shownOf_ = PixelsKey(Bitmap);
}

void TWallpaper::Paint() {
  if (nextPending_) TakeNext();
  const TSize size = ShownSize();
  if (shownOf_ != PixelsKey(Bitmap) || !SameSize(shownSize_, size)) {
    // The built-in picture, or one that came drawn for another size: scaled here, once.
    TBitmap shown;
    Cover(Bitmap, logo_, size, &shown);
    TakeShown(shown, size);
  }
  // Handed over whole, not copied: nothing is drawn over them.
  Canvas()->DrawShared(&shown_);
  if (!Loader) StartLoader(PlayList.Random());
}

void TWallpaper::Next() {
  // Hidden, as while its screen is being built, the wallpaper takes the picture when it is
  // first painted: the decode goes on meanwhile instead of holding up the rest of the screen.
  if (!Visible()) {
    nextPending_ = true;
    return;
  }
  TakeNext();
  Paint();
}

void TWallpaper::TakeNext() {
  nextPending_ = false;
  Loader->WaitFor();
  // Freed here, the screen-sized buffers of the pixels shown so far would cost the line's end
  // milliseconds: the next loader frees them, once the surface holds the new ones.
  retired_ = {Bitmap.Image(), shown_.Image()};
  if (Loader->Loaded) {
    Bitmap.Assign(Loader->Bitmap);
    TakeShown(Loader->Shown, Loader->ShownSize);
  }
  Loader.reset();
}
