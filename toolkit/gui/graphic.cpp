#include "toolkit/gui/graphic.h"

#include <fstream>
#include <iterator>

#include "toolkit/exception.h"
#include "toolkit/gui/resourcestream.h"

void TGraphic::LoadFromFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw Exception("Cannot open file \"" + fileName + "\"");
  std::string data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
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
