#include "toolkit/gui/shape.h"

#include <algorithm>

void TShape::setShape(TShapeType shape) {
  shape_ = shape;
  Invalidate();
}

void TShape::Paint() {
  TCanvas* canvas = Canvas();
  *canvas->Pen() = pen_;
  *canvas->Brush() = brush_;
  if (shape_ == stRoundRect) {
    // The class library's round shape: corners of a quarter of the shorter side.
    int corner = std::min(Width(), Height()) / 4;
    canvas->RoundRect(0, 0, Width(), Height(), corner, corner);
  } else {
    canvas->Rectangle(0, 0, Width(), Height());
  }
}
