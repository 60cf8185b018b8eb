#include "toolkit/gui/graphic.h"

#include <QImageReader>

#include "toolkit/exception.h"
#include "toolkit/fileio.h"
#include "toolkit/gui/resourcestream.h"

void TGraphic::LoadFromFile(const std::string& fileName) {
  std::string data, error;
  if (!ReadFileBytes(fileName, data, &error))
    throw Exception("Cannot open file \"" + fileName + "\". " + error);
  LoadFromMemory(data.data(), data.size());
}

void TGraphic::LoadFromStream(const TResourceStream& stream) {
  LoadFromMemory(stream.Memory(), stream.Size());
}

QImage TGraphic::Normalized(const QImage& image) {
  return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                       : QImage::Format_RGB32);
}

void TGraphic::DecodeWithQt(const void* data, size_t size, const char* format, const char* error) {
  QImage image;
  if (!image.loadFromData(static_cast<const uchar*>(data), static_cast<int>(size), format))
    throw Exception(error);
  image_ = Normalized(image);
}

uint64_t TGraphic::PixelLimit() {
  const int megabytes = QImageReader::allocationLimit();
  return megabytes > 0 ? uint64_t(megabytes) << 20 : 0;
}

bool TGraphic::WithinPixelLimit(uint64_t width, uint64_t height) {
  // The decoders' sides are below 2^32, so their product holds in 64 bits.
  return PixelLimit() == 0 || width * height <= PixelLimit() / 4;
}

void TGraphic::RaiseTooLarge(const std::string& error, uint64_t width, uint64_t height) {
  throw Exception(error + "a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                  " pixels is too large");
}
