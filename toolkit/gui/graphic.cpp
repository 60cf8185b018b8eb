#include "toolkit/gui/graphic.h"

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

void TGraphic::DecodeWithQt(const void* data, size_t size, const char* format,
                            const char* error) {
  QImage image;
  if (!image.loadFromData(static_cast<const uchar*>(data), static_cast<int>(size), format))
    throw Exception(error);
  image_ = Normalized(image);
}
