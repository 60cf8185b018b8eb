#pragma once
// A control that draws itself: a pixel surface of its own size with a canvas on it, and a Paint
// that the toolkit calls whenever the window system asks for a repaint.
// The surface starts transparent, and is so again after a change of size, so what is not drawn
// shows what lies beneath, unless the control is opaque (black where nothing is drawn). An error of
// Paint reaches the dispatch after the paint, once until a paint succeeds. Owns surface
// and canvas; user-interface thread only.

#include <QImage>

#include "toolkit/gui/canvas.h"
#include "toolkit/gui/control.h"

class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* Owner);

  TCanvas* Canvas() {
    if (surfaceDeferred_) SizeSurface();
    return &canvas_;
  }
  // An opaque control fills all of its rectangle whenever it shows: what lies beneath is not
  // drawn under it, and its surface holds no transparency (black where nothing is drawn yet).
  bool Opaque() const { return opaque_; }
  void setOpaque(bool opaque);
  // Draws the control on its canvas; the base draws nothing.
  virtual void Paint() {}

protected:
  bool WidgetEvent(QEvent* event) override;
  void Resized() override;
  // Whether the surface is cleared before every Paint (a paint box keeps its pixels).
  virtual bool ClearsBeforePaint() const { return true; }
  // Whether this repaint must call Paint; a paint box skips it when only its canvas changed.
  virtual bool NeedsPaint() { return true; }

  QImage surface_;
  // Set while Paint runs inside a repaint.
  bool painting_ = false;

private:
  // Calls Paint; its first error since the last good paint is reported after the paint event.
  void PaintReportingOnce();
  // A blank surface of the control's size where it has another.
  void SizeSurface();

  // The surface's format: the window's own where opaque, so that it is copied, never blended.
  QImage::Format Format() const;

  TCanvas canvas_{&surface_};
  bool opaque_ = false;
  // A screen-sized surface is made at its first use after a change of size, so that a layout
  // that moves the control through several sizes before it is drawn makes (and has the system
  // map in) the pixels of the last one only.
  bool surfaceDeferred_ = false;
  bool paintFailed_ = false;
};
