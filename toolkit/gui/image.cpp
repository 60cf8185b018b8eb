#include "toolkit/gui/image.h"

TImage::TImage(TComponent* Owner) : TGraphicControl(Owner) {
  picture_.OnChange = [this] { PictureChanged(); };
}

void TImage::PictureChanged() {
  // A new picture comes with a flag of its own; the image's counts.
  picture_.Bitmap()->setTransparent(transparent_);
  if (autoSize_ && !picture_.Bitmap()->Empty())
    SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
  Invalidate();
}

void TImage::setAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  PictureChanged();
}

void TImage::setStretch(bool stretch) {
  stretch_ = stretch;
  Invalidate();
}

void TImage::setCenter(bool center) {
  center_ = center;
  Invalidate();
}

void TImage::setTransparent(bool transparent) {
  transparent_ = transparent;
  picture_.Bitmap()->setTransparent(transparent);
  Invalidate();
}

void TImage::Paint() {
  TBitmap* bitmap = picture_.Bitmap();
  if (stretch_) {
    Canvas()->StretchDraw(Rect(0, 0, Width(), Height()), bitmap);
  } else if (center_) {
    Canvas()->Draw((Width() - bitmap->Width()) / 2, (Height() - bitmap->Height()) / 2, bitmap);
  } else {
    Canvas()->Draw(0, 0, bitmap);
  }
}

void TImage::Publish(TPropList& properties) {
  TGraphicControl::Publish(properties);
  properties.push_back(ObjectProperty("Picture", "TPicture", [this] { return &picture_; }));
}
