#include "toolkit/gui/imagelist.h"

void TImageList::setSize(int width, int height) {
  width_ = width;
  height_ = height;
  images_.clear();
}

int TImageList::Add(const TGraphic& picture) {
  int first = Count();
  int parts = picture.Width() > width_ && width_ > 0 ? picture.Width() / width_ : 1;
  for (int i = 0; i < parts; ++i) {
    TBitmap part;
    if (parts == 1) {
      part.Assign(picture);
    } else {
      part.Assign(picture, Bounds(i * width_, 0, width_, height_));
    }
    images_.push_back(part);
  }
  return first;
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index) const {
  if (index >= 0 && index < Count()) canvas->Draw(x, y, &images_[index]);
}

void TImageList::GetBitmap(int index, TBitmap* bitmap) const {
  if (index >= 0 && index < Count()) *bitmap = images_[index];
}

QImage TImageList::Image(int index) const {
  return index >= 0 && index < Count() ? images_[index].DrawnImage() : QImage();
}
