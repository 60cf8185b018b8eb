#pragma once
// A JPEG picture, decoded with libjpeg. Any thread, one thread per picture.

#include <climits>

#include "toolkit/gui/graphic.h"
#include "toolkit/rect.h"

class TJPEGImage : public TGraphic {
public:
  // Later loads decode at the smallest of libjpeg's scales, 1/8 to 8/8, whose picture covers an
  // area of that size in both directions (full size when none does, and by default). A scale
  // whose pixels would pass Qt's limit for decoded pictures gives way to the largest within it.
  void setCoverArea(TSize area) { area_ = area; }
  // Raises Exception "JPEG error: ..." with libjpeg's reason when the data is no JPEG picture
  // or ends before the picture does, when it has more than 100 scans, and when its pixels
  // would pass Qt's limit for decoded pictures or libjpeg would need twice that to decode.
  void LoadFromMemory(const void* data, size_t size) override;

private:
  TSize area_{INT_MAX, INT_MAX};
};
