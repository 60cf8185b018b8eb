#pragma once
// The picture an image control shows: the decoded pixels of a JPEG, PNG, GIF or bitmap.
// Owns a copy of them; user-interface thread only.

#include <functional>
#include <string>

#include "toolkit/gui/bitmap.h"

class TPicture : public TObject {
public:
  int Width() const { return bitmap_.Width(); }
  int Height() const { return bitmap_.Height(); }
  TBitmap* Bitmap() { return &bitmap_; }
  // None empties the picture.
  void Assign(const TGraphic* graphic);
  // The format by the file's extension (".jpg", ".jpeg", ".png", ".gif", a bitmap otherwise);
  // raises Exception like the picture classes.
  void LoadFromFile(const std::string& fileName);

  // Raised after every change; the image control repaints.
  std::function<void()> OnChange;

private:
  TBitmap bitmap_;
};
