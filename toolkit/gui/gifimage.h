#pragma once
// A GIF picture (its first frame, with its transparent colour), decoded by Qt. Any thread, one
// thread per picture.

#include "toolkit/gui/graphic.h"

class TGIFImage : public TGraphic {
public:
  // Raises Exception "GIF image is not valid" when the data is no GIF picture.
  void LoadFromMemory(const void* data, size_t size) override;
};
