#pragma once
// Decodes one JPEG file into a bitmap on a worker thread of its own, so that the wallpaper's
// next picture is ready before it is asked for. Created suspended; Load starts it, once. The
// worker alone touches FileName, Area, Bitmap and Loaded between the start and its end; the
// owner reads them only after WaitFor. Owns the bitmap; destruction waits for the decode.

#include <string>

#include "toolkit/gui/bitmap.h"
#include "toolkit/gui/rect.h"
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
