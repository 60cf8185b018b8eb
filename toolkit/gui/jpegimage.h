#pragma once
// A JPEG picture, decoded with libjpeg. Any thread, one thread per picture.

#include "toolkit/gui/graphic.h"

class TJPEGImage : public TGraphic {
public:
  // Raises Exception "JPEG error: ..." with libjpeg's reason when the data is no JPEG picture,
  // and when the picture is larger than Qt's limit for decoded pictures.
  void LoadFromMemory(const void* data, size_t size) override;
};
