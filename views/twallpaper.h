#pragma once
// The background of the training screen: one picture scaled to cover the whole area, centred,
// with the program's logo in the bottom-right corner. It starts with the built-in picture and
// changes to a random JPEG of its folder at every Next; the next picture is always being decoded
// ahead on a loader thread, at the smallest scale that still covers the screen (so a photo of
// any size shows), and drawn there with the logo for the wallpaper's size, so that Next only
// waits for a decode that is still running and hands the pixels to its surface. Owns the
// picture, the pixels drawn from it, the logo, the play list and the one loader.
// User-interface thread only.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/tplaylist.h"
#include "toolkit/gui/bitmap.h"
#include "toolkit/gui/paintbox.h"
#include "toolkit/gui/pngimage.h"
#include "views/tasyncimageloader.h"

class TWallpaper : public TPaintBox {
public:
  // The pictures are the "*.jpg" files of the folder and its subfolders.
  TWallpaper(TComponent* Owner, const std::string& folder);
  ~TWallpaper() override;

  void Paint() override;
  // Takes the loader's picture when it decoded (waiting for it), paints, starts the next loader;
  // hidden, it does so when it is next painted.
  void Next();

  // Where the picture of that size is drawn on an area of that size: grown by whole tenths
  // until it covers the area, centred (cropped where it is larger).
  static TRect PictureRect(int pictureWidth, int pictureHeight, int width, int height);
  // The pixels of an area of that size showing the picture in its PictureRect, cropped to the
  // area, and the logo in the bottom-right corner. Any thread.
  static void Cover(const TBitmap& picture, const TGraphic& logo, TSize size, TBitmap* shown);

  TBitmap Bitmap;
  TPlayList PlayList;
  std::unique_ptr<TAsyncImageLoader> Loader;

protected:
  // Grown past the area its next picture is being decoded for, the wallpaper has that picture
  // decoded again for its new size (waiting for the decode under way); of another size, it has
  // the picture drawn for that size.
  void Resized() override;

private:
  // What the next picture must cover: the wallpaper, which fills the screen once laid out.
  TSize CoverArea() const;
  TSize ShownSize() const { return {Width(), Height()}; }
  // Replaces the loader by one that decodes the file for the area the picture must cover and
  // draws it for the wallpaper's size.
  void StartLoader(const std::string& file);
  void TakeShown(const TBitmap& shown, TSize size);
  // The loader's picture once it decoded; the loader goes, and the next starts once it is drawn.
  void TakeNext();

  // Decoded once: every paint draws it.
  TPNGImage logo_;
  // Bitmap as Cover draws it for shownSize_, while Bitmap's pixels are those of shownOf_.
  TBitmap shown_;
  TSize shownSize_{-1, -1};
  int64_t shownOf_ = 0;
  // A Next while hidden, done at the next paint.
  bool nextPending_ = false;
  // The pixels shown before the last Next, for the next loader to give back.
  std::vector<QImage> retired_;
};
