#pragma once
// A picture of exactly the pixels given, as a decoder would hand them over.

#include <QImage>
#include <cstddef>

#include "toolkit/gui/graphic.h"

class TPixels : public TGraphic {
public:
  explicit TPixels(const QImage& image) { image_ = image; }
  void LoadFromMemory(const void*, size_t) override {}
};
