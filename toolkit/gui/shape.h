#pragma once
// A shape: a rectangle or a rounded rectangle over the control's whole area, outlined with its
// pen and filled with its brush. User-interface thread only.

#include "toolkit/gui/graphiccontrol.h"

enum TShapeType { stRectangle, stRoundRect };

class TShape : public TGraphicControl {
public:
  explicit TShape(TComponent* Owner) : TGraphicControl(Owner) {}

  TShapeType Shape() const { return shape_; }
  void setShape(TShapeType shape);
  // Change the pen or brush, then Invalidate.
  TPen* Pen() { return &pen_; }
  TBrush* Brush() { return &brush_; }

  void Paint() override;

private:
  TShapeType shape_ = stRectangle;
  TPen pen_;
  TBrush brush_;
};
