#pragma once
// Decodes one JPEG file into a bitmap on a worker thread of its own, so that the wallpaper's
// next picture is ready before it is asked for. Created suspended; Load starts it, once. Load
// sets FileName and Area before the worker starts and nothing changes them after, so the owner
// may read them at any time; the worker alone touches Bitmap and Loaded between the start and
// its end, and the owner reads those only after WaitFor. Owns the bitmap; destruction waits for
// the decode.

#include <string>

#include "toolkit/gui/bitmap.h"
#include "toolkit/rect.h"
#include "toolkit/thread.h"

class TAsyncImageLoader : public TThread {
public:
  TAsyncImageLoader() = default;
  ~TAsyncImageLoader() override;

  // Starts decoding the file at the smallest scale that still covers the area (Area); a file
  // that is missing or no JPEG leaves Loaded false.
  void Load(const std::string& fileName, TSize area);

  std::string FileName;
  TSize Area;
  // Whether Bitmap holds the whole decoded picture.
  bool Loaded = false;
  TBitmap Bitmap;

protected:
  void Execute() override;
};
