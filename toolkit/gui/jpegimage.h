#pragma once
// A JPEG picture, decoded with libjpeg. Any thread, one thread per picture.

#include "toolkit/gui/graphic.h"

class TJPEGImage : public TGraphic {
public:
  // Raises Exception "JPEG error: ..." with libjpeg's reason when the data is no JPEG picture
  // or ends before the picture does, when it has more than 100 scans, and when its pixels
  // would pass Qt's limit for decoded pictures or libjpeg would need twice that to decode.
  void LoadFromMemory(const void* data, size_t size) override;
};
