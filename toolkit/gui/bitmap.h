#pragma once
// A bitmap: pixels that a canvas draws on. When Transparent, the colour of its bottom-left pixel
// is left out where the bitmap is drawn. Owns its pixels and canvas; one thread at a time, any
// thread (the wallpaper's loader fills one on its worker).

#include "toolkit/gui/canvas.h"
#include "toolkit/gui/graphic.h"
#include "toolkit/rect.h"

class TBitmap : public TGraphic {
public:
  TBitmap() = default;
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);

  // Keeps the top-left part of the pixels; new pixels are black.
  void setSize(int width, int height);
  void setWidth(int width) { setSize(width, Height()); }
  void setHeight(int height) { setSize(Width(), height); }
  TCanvas* Canvas() { return &canvas_; }

  bool Transparent() const { return transparent_; }
  void setTransparent(bool transparent) { transparent_ = transparent; }
  // The bottom-left pixel's colour (clNone for an empty bitmap).
  TColor TransparentColor() const;

  // Takes the decoded pixels of any picture (a JPEG, a PNG, another bitmap).
  void Assign(const TGraphic& source);
  // Takes only the part of the source's pixels.
  void Assign(const TGraphic& source, const TRect& part);
  // BMP data (and any other format Qt reads).
  void LoadFromMemory(const void* data, size_t size) override;
  // With transparency applied once per change of the pixels.
  QImage DrawnImage() const override;

private:
  TCanvas canvas_{&image_};
  bool transparent_ = false;
  // The drawn form of the pixels whose QImage cache key it holds (every write changes the key).
  mutable QImage drawn_;
  mutable qint64 drawnKey_ = 0;
};
