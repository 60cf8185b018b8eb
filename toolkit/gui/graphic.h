#pragma once
// A picture of any format: its pixels, decoded once, and how it is drawn. Owns its image.
// Safe on any thread as long as one thread uses one picture.

#include <QImage>
#include <cstdint>
#include <string>

#include "toolkit/gui/object.h"

class TResourceStream;

class TGraphic : public TObject {
public:
  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  bool Empty() const { return image_.isNull(); }
  const QImage& Image() const { return image_; }

  // Decode the whole file or memory block; raise Exception when it is not a readable picture
  // of the class's format, leaving the picture as it was.
  void LoadFromFile(const std::string& fileName);
  virtual void LoadFromMemory(const void* data, size_t size) = 0;
  void LoadFromStream(const TResourceStream& stream);

  // The pixels as they are drawn on a canvas, transparency applied.
  virtual QImage DrawnImage() const { return image_; }

protected:
  // 32-bit pixels, with a premultiplied alpha channel when the picture has one.
  static QImage Normalized(const QImage& image);
  // Whether the 32-bit pixels of a picture of that size stay within Qt's own limit for decoding
  // pictures, which binds our decoders too (no limit where Qt sets none).
  static bool WithinPixelLimit(uint64_t width, uint64_t height);
  // The limit in bytes, 0 for none.
  static uint64_t PixelLimit();
  // Raises "<error>a picture of W x H pixels is too large".
  [[noreturn]] static void RaiseTooLarge(const std::string& error, uint64_t width, uint64_t height);
  // Decodes with Qt's reader of the format (any format when none is named); raises `error`.
  void DecodeWithQt(const void* data, size_t size, const char* format, const char* error);

  QImage image_;
};
