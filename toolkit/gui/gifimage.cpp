#include "toolkit/gui/gifimage.h"

void TGIFImage::LoadFromMemory(const void* data, size_t size) {
  DecodeWithQt(data, size, "GIF", "GIF image is not valid");
}
