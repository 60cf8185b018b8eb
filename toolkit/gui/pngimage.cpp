#include "toolkit/gui/pngimage.h"

#include <png.h>

#include <string>

#include "toolkit/exception.h"

void TPNGImage::LoadFromMemory(const void* data, size_t size) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data, size))
    throw Exception(std::string("PNG error: ") + png.message);
  // The size is known from the header, before any pixel is had; beyond the pixels, libpng
  // takes a row and chunks of its own bounded size. Data that ends before the last row fails.
  QImage image;
  if (WithinPixelLimit(png.width, png.height))
    image =
        QImage(static_cast<int>(png.width), static_cast<int>(png.height), QImage::Format_ARGB32);
  if (image.isNull()) {
    png_image_free(&png);
    RaiseTooLarge("PNG error: ", png.width, png.height);
  }
  // Blue, green, red, alpha bytes: Qt's ARGB32 on a little-endian machine.
  png.format = PNG_FORMAT_BGRA;
  if (!png_image_finish_read(&png, nullptr, image.bits(),
                             static_cast<png_int_32>(image.bytesPerLine()), nullptr)) {
    std::string reason = png.message;
    png_image_free(&png);
    throw Exception("PNG error: " + reason);
  }
  image_ = Normalized(image);
}
