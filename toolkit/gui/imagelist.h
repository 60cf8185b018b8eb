#pragma once
// An image list: pictures of one size, by index (the avatars, the menu pictures), for the list
// views and combo boxes that show them. Owns copies of its pictures; user-interface thread only.

#include <vector>

#include <QImage>

#include "toolkit/gui/bitmap.h"
#include "toolkit/gui/component.h"

class TImageList : public TComponent {
public:
  explicit TImageList(TComponent* Owner) : TComponent(Owner) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  void setSize(int width, int height);
  int Count() const { return static_cast<int>(images_.size()); }

  // Adds the picture, or one picture per Width columns of a wider strip; answers the index of
  // the first one added.
  int Add(const TGraphic& picture);
  void Clear() { images_.clear(); }
  // Nothing happens for an index outside the list.
  void Draw(TCanvas* canvas, int x, int y, int index) const;
  void GetBitmap(int index, TBitmap* bitmap) const;
  // The picture with its transparency; a null image outside the list.
  QImage Image(int index) const;

private:
  int width_ = 16, height_ = 16;
  std::vector<TBitmap> images_;
};
