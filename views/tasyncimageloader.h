#pragma once
// Decodes one JPEG file into a bitmap on a worker thread of its own and draws it as the
// wallpaper shows it, so that the wallpaper's next picture is ready to show before it is asked
// for. Created suspended; Load starts it, once. Load sets FileName and Area before the worker
// starts and nothing changes them after, so the owner may read them at any time; Size the owner
// may change at any time. The worker alone touches Bitmap, Shown, ShownSize, Loaded and Retired
// between the start and its end, and the owner reads those only after WaitFor. Owns the
// bitmaps; destruction waits for the decode.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/gui/bitmap.h"
#include "toolkit/rect.h"
#include "toolkit/thread.h"

// A size that one thread sets and another reads whole.
class TSharedSize {
public:
  void set(TSize size) {
    packed_ = uint64_t{static_cast<uint32_t>(size.cx)} << 32 | static_cast<uint32_t>(size.cy);
  }
  TSize get() const {
    const uint64_t packed = packed_;
    return {static_cast<int>(packed >> 32), static_cast<int>(packed & 0xFFFFFFFFu)};
  }

private:
  std::atomic<uint64_t> packed_{0};
};

class TAsyncImageLoader : public TThread {
public:
  TAsyncImageLoader() = default;
  ~TAsyncImageLoader() override;

  // Starts decoding the file at the smallest scale that still covers `area`, then drawing it
  // with the logo on a wallpaper of `size`; a file that is missing or no JPEG leaves Loaded
  // false.
  void Load(const std::string& fileName, TSize area, TSize size, const TGraphic& logo);
  // Starts drawing the picture a loader that is done decoded on a wallpaper of `size`, without
  // decoding it again.
  void Redraw(const TAsyncImageLoader& done, TSize size);

  std::string FileName;
  TSize Area;
  // Pixels the wallpaper no longer shows, let go of first on the worker.
  std::vector<QImage> Retired;
  // The wallpaper's size: the worker draws the decoded picture for the size it reads here
  // then, and again while the size changes meanwhile.
  TSharedSize Size;
  // Whether Bitmap holds the whole decoded picture, and Shown the wallpaper of ShownSize drawn
  // from it (TWallpaper::Cover).
  bool Loaded = false;
  TBitmap Bitmap;
  TBitmap Shown;
  TSize ShownSize;

protected:
  void Execute() override;

private:
  // Set by Redraw: Bitmap holds the picture already.
  bool decoded_ = false;
  TBitmap logo_;
};
