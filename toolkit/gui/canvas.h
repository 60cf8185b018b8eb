#pragma once
// A drawing surface with the class library's semantics, over a QImage it does not own: pen,
// brush, font; shapes with the pen inside and the right and bottom edges exclusive, never
// antialiased; text in the font's code page. The thread that owns the image may use it.

#include <functional>
#include <string>
#include <vector>

#include "toolkit/colors.h"
#include "toolkit/gui/font.h"
#include "toolkit/rect.h"

class QFontMetrics;
class QImage;
class QPainter;
class QString;
class QRect;
class TGraphic;

enum TPenStyle { psSolid, psClear };
enum TBrushStyle { bsSolid, bsClear };

class TPen {
public:
  TColor Color() const { return color_; }
  void setColor(TColor color) { color_ = color; }
  int Width() const { return width_; }
  void setWidth(int width) { width_ = width; }
  TPenStyle Style() const { return style_; }
  void setStyle(TPenStyle style) { style_ = style; }

private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
};

class TBrush {
public:
  TColor Color() const { return color_; }
  // A colour makes a clear brush solid again, as in the class library.
  void setColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void setStyle(TBrushStyle style) { style_ = style; }

private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

class TCanvas {
public:
  explicit TCanvas(QImage* surface) : surface_(surface) {}
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TPen* Pen() { return &pen_; }
  TBrush* Brush() { return &brush_; }
  TFont* Font() { return &font_; }
  QImage* Surface() const { return surface_; }

  // The brush over the rectangle; nothing with a clear brush.
  void FillRect(const TRect& rect);
  // Outline in the pen (a clear pen leaves the last column and row unfilled), filled with the
  // brush.
  void Rectangle(int x1, int y1, int x2, int y2) { Shape(x1, y1, x2, y2, 0, 0); }
  void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
  // As Rectangle, with corners of an ellipse `width` wide and `height` high.
  void RoundRect(int x1, int y1, int x2, int y2, int width, int height) {
    Shape(x1, y1, x2, y2, width, height);
  }

  // Text with its cell's top-left corner at (x, y), on the brush unless the brush is clear.
  void TextOut(int x, int y, const std::string& text);
  // Text at (x, y) clipped to the rectangle, which the brush fills first unless it is clear.
  void TextRect(const TRect& rect, int x, int y, const std::string& text);
  // Each character of the text as TextOut draws it, the one at i with its cell at (xs[i], y),
  // in one drawing: a view that places its letters one by one draws a line of them at once.
  void TextOutEach(const std::vector<int>& xs, int y, const std::string& text);
  TSize TextExtent(const std::string& text) const;
  int TextWidth(const std::string& text) const;
  int TextHeight(const std::string& text) const;

  // Copies the source's rectangle into `dest`, stretched when the sizes differ; nothing when
  // either rectangle is empty (a right or bottom edge at or before its left or top).
  void CopyRect(const TRect& dest, const TCanvas* source, const TRect& sourceRect);
  // The graphic at (x, y), or stretched into the rectangle, with its transparency.
  void Draw(int x, int y, const TGraphic* graphic);
  void StretchDraw(const TRect& rect, const TGraphic* graphic);
  // Draws the graphic at (0, 0). One that is opaque and of the surface's size and format
  // becomes its pixels, shared, not copied, until something is drawn on the surface (which then
  // copies them): for a surface that shows the picture as it is.
  void DrawShared(const TGraphic* graphic);

  TColor Pixels(int x, int y) const;
  void setPixel(int x, int y, TColor color);

  // Raised after every operation that drew, with the part of the surface it may have changed
  // (never empty); a paint box shows that part then.
  std::function<void(const TRect&)> OnChange;

private:
  void Changed(const QRect& area) const;
  bool Drawable() const;
  // Pixels set one by one, the pen as wide as it is inside the shape, nothing antialiased.
  void Shape(int x1, int y1, int x2, int y2, int width, int height);
  int CellHeight(const QFontMetrics& metrics) const;
  void DrawText(const TRect* clip, int x, int y, const std::string& text);
  // Draws the text with the painter (font and pen set) and answers what it may have changed.
  QRect DrawTextWith(QPainter& painter, const QFontMetrics& metrics, const TRect* clip, int x,
                     int y, const QString& text) const;

  QImage* surface_;
  TPen pen_;
  TBrush brush_;
  TFont font_;
};
