#include "toolkit/gui/bitmap.h"

#include <cstring>

#include "toolkit/gui/blankimage.h"
#include "toolkit/gui/qtbridge.h"

TBitmap::TBitmap(const TBitmap& other) : TGraphic() { *this = other; }

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this == &other) return *this;
  // Pixels of the same layout are written over this bitmap's own, which nothing else holds:
  // a fresh copy of megabytes costs a line's end its page faults.
  if (!image_.isNull() && image_.isDetached() && image_.size() == other.image_.size() &&
      image_.format() == other.image_.format() &&
      image_.bytesPerLine() == other.image_.bytesPerLine()) {
    std::memcpy(image_.bits(), other.image_.constBits(), image_.sizeInBytes());
    image_.setColorTable(other.image_.colorTable());
  } else {
    image_ = CopiedImage(other.image_);
  }
  transparent_ = other.transparent_;
  return *this;
}

void TBitmap::setSize(int width, int height) {
  if (width == Width() && height == Height()) return;
  image_ = ResizedImage(image_, width, height,
                        image_.isNull() ? QImage::Format_RGB32 : image_.format(), Qt::black);
}

TColor TBitmap::TransparentColor() const {
  if (image_.isNull()) return clNone;
  return FromQColor(image_.pixelColor(0, image_.height() - 1));
}

void TBitmap::Assign(const TGraphic& source) {
  image_ = Normalized(source.Image());
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(&source))
    transparent_ = bitmap->transparent_;
}

void TBitmap::Assign(const TGraphic& source, const TRect& part) {
  Assign(source);
  image_ = image_.copy(ToQRect(part));
}

void TBitmap::LoadFromMemory(const void* data, size_t size) {
  DecodeWithQt(data, size, nullptr, "Bitmap image is not valid");
}

QImage TBitmap::DrawnImage() const {
  if (!transparent_ || image_.isNull()) return image_;
  if (!drawn_.isNull() && drawnKey_ == image_.cacheKey()) return drawn_;
  // Premultiplied, as painters blend it fastest; the colours compared are the unmultiplied ones.
  QImage masked = image_.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QRgb key = image_.pixel(0, image_.height() - 1) | 0xFF000000u;
  const int width = masked.width(), height = masked.height();
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(masked.scanLine(y));
    for (int x = 0; x < width; ++x) {
      QRgb pixel = qAlpha(row[x]) == 255 ? row[x] : qUnpremultiply(row[x]);
      if ((pixel | 0xFF000000u) == key) row[x] = 0;
    }
  }
  drawn_ = masked;
  drawnKey_ = image_.cacheKey();
  return masked;
}
