#pragma once
// A PNG picture with its alpha channel, decoded with libpng. Any thread, one thread per
// picture.

#include "toolkit/gui/graphic.h"

class TPNGImage : public TGraphic {
public:
  // Raises Exception "PNG error: ..." with libpng's reason when the data is no PNG picture or
  // ends before its last row, and when its pixels would pass Qt's limit for decoded pictures.
  void LoadFromMemory(const void* data, size_t size) override;
};
