#include "toolkit/gui/canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "toolkit/gui/graphic.h"
#include "toolkit/gui/qtbridge.h"
#include "toolkit/gui/scaleddraws.h"

void TBrush::setColor(TColor color) {
  color_ = color;
  if (style_ == bsClear) style_ = bsSolid;
}

bool TCanvas::Drawable() const { return surface_ && !surface_->isNull(); }

void TCanvas::Changed(const QRect& area) const {
  const QRect changed = area.normalized() & surface_->rect();
  if (OnChange && !changed.isEmpty())
    OnChange(Rect(changed.left(), changed.top(), changed.right() + 1, changed.bottom() + 1));
}

namespace {

thread_local int64_t scaledDraws = 0;

// The surfaces whose pixels are 32-bit words that a plain copy or fill may write: an opaque
// pixel stands for itself in each of them.
bool Words(const QImage& image) {
  return image.format() == QImage::Format_RGB32 ||
         image.format() == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

void TCanvas::FillRect(const TRect& rect) {
  if (!Drawable() || brush_.Style() == bsClear) return;
  const QColor color = ToQColor(brush_.Color());
  const QRect area = ToQRect(rect).normalized() & surface_->rect();
  // Written straight into the words where that is what a painter would write: the task display
  // and the keyboard fill at every key, and a painter costs more than a few rows.
  if (Words(*surface_) && color.alpha() == 255) {
    const QRgb word = color.rgba();
    for (int y = area.top(); y <= area.bottom(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(surface_->scanLine(y));
      std::fill(row + area.left(), row + area.left() + area.width(), word);
    }
  } else {
    QPainter(surface_).fillRect(ToQRect(rect), color);
  }
  Changed(ToQRect(rect));
}

namespace {

// The columns [first, second) that each row of a rounded rectangle covers: the corners are
// quarter ellipses `width` by `height`; rows are cut symmetrically, so the shape is the same
// from every side. Width and height 0 give a plain rectangle.
std::vector<std::pair<int, int>> RoundedSpans(int x1, int y1, int x2, int y2, int width,
                                              int height) {
  int w = x2 - x1, h = y2 - y1;
  double rx = std::min(width, w) / 2.0, ry = std::min(height, h) / 2.0;
  std::vector<std::pair<int, int>> spans(std::max(0, h));
  for (int row = 0; row < h; ++row) {
    double fromEdge = std::min(row + 0.5, h - row - 0.5);
    int cut = 0;
    if (rx > 0 && ry > 0 && fromEdge < ry) {
      double dy = (ry - fromEdge) / ry;
      cut = static_cast<int>(std::lround(rx * (1 - std::sqrt(1 - dy * dy))));
    }
    spans[row] = {x1 + cut, x2 - cut};
  }
  return spans;
}

// Sets the pixels [x1, x2) of a row to an opaque colour, clipped to the surface. Written
// straight into 32-bit pixels: a painter per row of a shape would cost more than the pixels.
class SpanFiller {
public:
  explicit SpanFiller(QImage* surface)
      : surface_(surface),
        width_(surface->width()),
        height_(surface->height()),
        direct_(surface->format() == QImage::Format_RGB32 ||
                surface->format() == QImage::Format_ARGB32 ||
                surface->format() == QImage::Format_ARGB32_Premultiplied) {}

  void Fill(int x1, int x2, int y, const QColor& color) {
    x1 = std::max(x1, 0);
    x2 = std::min(x2, width_);
    if (x1 >= x2 || y < 0 || y >= height_) return;
    if (!direct_) {
      if (!painter_) painter_.emplace(surface_);
      painter_->fillRect(QRect(x1, y, x2 - x1, 1), color);
      return;
    }
    auto* row = reinterpret_cast<QRgb*>(surface_->scanLine(y));
    std::fill(row + x1, row + x2, color.rgba());
  }

private:
  QImage* surface_;
  int width_, height_;
  bool direct_;
  std::optional<QPainter> painter_;
};

}  // namespace

void TCanvas::Shape(int x1, int y1, int x2, int y2, int width, int height) {
  if (!Drawable() || x2 <= x1 || y2 <= y1) return;
  bool outlined = pen_.Style() != psClear;
  bool filled = brush_.Style() != bsClear;
  // Without a pen the shape loses its last column and row, as the class library's does.
  if (!outlined) --x2, --y2;
  auto spans = RoundedSpans(x1, y1, x2, y2, width, height);
  int pen = std::max(1, pen_.Width());
  SpanFiller pixels(surface_);
  QColor penColor = ToQColor(pen_.Color()), brushColor = ToQColor(brush_.Color());
  int rows = static_cast<int>(spans.size());
  for (int row = 0; row < rows; ++row) {
    auto [first, last] = spans[row];
    // A pixel is outline when a pixel pen-width away in any of the four directions is outside;
    // what is left of a row is one run between the row's own ends and those of the rows a pen
    // width above and below.
    int inner = last, innerEnd = last;
    if (outlined && row >= pen && row + pen < rows) {
      inner = std::max({first + pen, spans[row - pen].first, spans[row + pen].first});
      innerEnd = std::min({last - pen, spans[row - pen].second, spans[row + pen].second});
      if (inner >= innerEnd) inner = innerEnd = last;
    } else if (!outlined) {
      inner = first;
    }
    int y = y1 + row;
    pixels.Fill(first, inner, y, penColor);
    if (filled) pixels.Fill(inner, innerEnd, y, brushColor);
    pixels.Fill(innerEnd, last, y, penColor);
  }
  Changed(QRect(x1, y1, x2 - x1 + 1, y2 - y1 + 1));
}

TSize TCanvas::TextExtent(const std::string& text) const {
  QFontMetrics metrics(font_.ToQFont());
  return {metrics.horizontalAdvance(ToQString(text, font_.CodePage())), CellHeight(metrics)};
}

int TCanvas::TextWidth(const std::string& text) const {
  return QFontMetrics(font_.ToQFont()).horizontalAdvance(ToQString(text, font_.CodePage()));
}

int TCanvas::TextHeight(const std::string& text) const {
  // A cell height needs no font: a view that fits its font by heights measures none of them.
  return font_.Height() > 0 ? font_.Height() : TextExtent(text).cy;
}

int TCanvas::CellHeight(const QFontMetrics& metrics) const {
  // A positive height is the cell itself; the Qt font chosen for it may fall a pixel short.
  return font_.Height() > 0 ? font_.Height() : metrics.height();
}

void TCanvas::TextOut(int x, int y, const std::string& text) { DrawText(nullptr, x, y, text); }

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
  DrawText(&rect, x, y, text);
}

void TCanvas::DrawText(const TRect* clip, int x, int y, const std::string& text) {
  if (!Drawable()) return;
  const QFont font = font_.ToQFont();
  const QFontMetrics metrics(font);
  QPainter painter(surface_);
  if (clip) painter.setClipRect(ToQRect(*clip));
  painter.setFont(font);
  painter.setPen(ToQColor(font_.Color()));
  Changed(DrawTextWith(painter, metrics, clip, x, y, ToQString(text, font_.CodePage())));
}

void TCanvas::TextOutEach(const std::vector<int>& xs, int y, const std::string& text) {
  if (!Drawable() || text.empty()) return;
  const QFont font = font_.ToQFont();
  const QFontMetrics metrics(font);
  QPainter painter(surface_);
  painter.setFont(font);
  painter.setPen(ToQColor(font_.Color()));
  QRect drawn;
  for (size_t i = 0; i < text.size() && i < xs.size(); ++i)
    drawn |= DrawTextWith(painter, metrics, nullptr, xs[i], y,
                          ToQString(text.substr(i, 1), font_.CodePage()));
  Changed(drawn);
}

QRect TCanvas::DrawTextWith(QPainter& painter, const QFontMetrics& metrics, const TRect* clip,
                            int x, int y, const QString& string) const {
  if (brush_.Style() == bsSolid) {
    QRect background =
        clip ? ToQRect(*clip) : QRect(x, y, metrics.horizontalAdvance(string), CellHeight(metrics));
    painter.fillRect(background, ToQColor(brush_.Color()));
  }
  const QPoint baseline(x, y + metrics.ascent());
  painter.drawText(baseline, string);
  // The cell, and the ink where glyphs reach beyond it, with a pixel for their antialiasing.
  QRect drawn = QRect(x, y, metrics.horizontalAdvance(string), CellHeight(metrics)) |
                metrics.boundingRect(string).translated(baseline).adjusted(-1, -1, 1, 1);
  return clip ? drawn & ToQRect(*clip) : drawn;
}

namespace {

// Copies `part` of `from` to `to` at `at` row by row, where a painter in source mode would copy
// the words unchanged: surfaces of the same format, or opaque pixels into premultiplied ones,
// the part inside the source. Clipped to the target. False where a painter must do it.
bool CopyWords(QImage& to, QPoint at, const QImage& from, QRect part) {
  if (!Words(to) || !Words(from) || &to == &from || !from.rect().contains(part)) return false;
  if (from.format() != to.format() && from.format() != QImage::Format_RGB32) return false;
  const QRect target = QRect(at, part.size()) & to.rect();
  const int dx = part.left() - at.x(), dy = part.top() - at.y();
  for (int y = target.top(); y <= target.bottom(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(from.constScanLine(y + dy)) + target.left() + dx;
    auto* out = reinterpret_cast<QRgb*>(to.scanLine(y)) + target.left();
    std::copy(in, in + target.width(), out);
  }
  return true;
}

// Draws the picture at `at` where each of its pixels is opaque or wholly transparent, as a
// painter draws it then: the opaque ones replace the surface's, the others leave it. False,
// having drawn only pixels a painter draws alike, at the first pixel it would blend.
bool DrawWords(QImage& to, QPoint at, const QImage& picture) {
  if (!Words(to) || !Words(picture)) return false;
  const bool opaque = picture.format() == QImage::Format_RGB32;
  const QRect target = QRect(at, picture.size()) & to.rect();
  for (int y = target.top(); y <= target.bottom(); ++y) {
    const auto* in =
        reinterpret_cast<const QRgb*>(picture.constScanLine(y - at.y())) + (target.left() - at.x());
    auto* out = reinterpret_cast<QRgb*>(to.scanLine(y)) + target.left();
    if (opaque) {
      std::copy(in, in + target.width(), out);
      continue;
    }
    for (int x = 0; x < target.width(); ++x) {
      if (qAlpha(in[x]) == 255) {
        out[x] = in[x];
      } else if (in[x] != 0) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

void TCanvas::CopyRect(const TRect& dest, const TCanvas* source, const TRect& sourceRect) {
  // An empty rectangle copies nothing; a painter would read a width of 0 or less as "to the
  // edge of the image".
  if (!Drawable() || !source->Drawable() || dest.Width() <= 0 || dest.Height() <= 0 ||
      sourceRect.Width() <= 0 || sourceRect.Height() <= 0)
    return;
  const QRect part = ToQRect(sourceRect);
  if (ToQRect(dest).size() == part.size() &&
      CopyWords(*surface_, ToQRect(dest).topLeft(), *source->surface_, part)) {
    Changed(ToQRect(dest));
    return;
  }
  // A copy first where the copy reads the surface it changes, or reads beyond its source
  // (what lies outside comes as transparent); otherwise straight from the source, which
  // saves a copy of every pixel on each key of the task display.
  if (ToQRect(dest).size() != part.size()) ++scaledDraws;
  QImage from;
  if (source->surface_ == surface_ || !source->surface_->rect().contains(part))
    from = source->surface_->copy(part);
  QPainter painter(surface_);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  if (from.isNull())
    painter.drawImage(ToQRect(dest), *source->surface_, part);
  else
    painter.drawImage(ToQRect(dest), from);
  Changed(ToQRect(dest));
}

void TCanvas::Draw(int x, int y, const TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& rect, const TGraphic* graphic) {
  if (!Drawable() || !graphic || graphic->Empty()) return;
  const QImage picture = graphic->DrawnImage();
  // The keyboard draws a key's picture at every press and release.
  const bool scaled = ToQRect(rect).size() != picture.size();
  if (scaled) ++scaledDraws;
  if (scaled || !DrawWords(*surface_, ToQRect(rect).topLeft(), picture))
    QPainter(surface_).drawImage(ToQRect(rect), picture);
  Changed(ToQRect(rect));
}

void TCanvas::DrawShared(const TGraphic* graphic) {
  if (!Drawable() || !graphic || graphic->Empty()) return;
  const QImage picture = graphic->DrawnImage();
  if (picture.size() != surface_->size() || picture.format() != surface_->format() ||
      picture.hasAlphaChannel())
    return Draw(0, 0, graphic);
  *surface_ = picture;
  Changed(surface_->rect());
}

int64_t ScaledDraws() { return scaledDraws; }

TColor TCanvas::Pixels(int x, int y) const {
  if (!Drawable() || !surface_->rect().contains(x, y)) return clNone;
  return FromQColor(surface_->pixelColor(x, y));
}

void TCanvas::setPixel(int x, int y, TColor color) {
  if (!Drawable() || !surface_->rect().contains(x, y)) return;
  surface_->setPixelColor(x, y, ToQColor(color));
  Changed(QRect(x, y, 1, 1));
}
