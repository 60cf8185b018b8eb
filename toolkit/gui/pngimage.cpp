#include "toolkit/gui/pngimage.h"

#include <png.h>

#include <string>

#include "toolkit/exception.h"

void TPNGImage::LoadFromMemory(const void* data, size_t size) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data, size))
    throw Exception(std::string("PNG error: ") + png.message);
  // Blue, green, red, alpha bytes: Qt's ARGB32 on a little-endian machine.
  png.format = PNG_FORMAT_BGRA;
  QImage image(png.width, png.height, QImage::Format_ARGB32);
  if (image.isNull() || !png_image_finish_read(&png, nullptr, image.bits(),
                                               static_cast<png_int_32>(image.bytesPerLine()),
                                               nullptr)) {
    std::string reason = png.message;
    png_image_free(&png);
    throw Exception("PNG error: " + reason);
  }
  image_ = Normalized(image);
}
