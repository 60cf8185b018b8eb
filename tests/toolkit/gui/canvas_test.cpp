#include "toolkit/gui/canvas.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <functional>
#include <set>

#include "support/guiapplication.h"
#include "support/pixels.h"
#include "toolkit/codepage.h"
#include "toolkit/gui/bitmap.h"
#include "toolkit/gui/graphic.h"
#include "toolkit/gui/qtbridge.h"

namespace {

constexpr TColor kPaper = clWhite, kPen = clRed, kFill = clBlue;

class CanvasTest : public testing::Test {
protected:
  void SetUp() override {
    bitmap.setSize(24, 16);
    canvas()->Brush()->setColor(kPaper);
    canvas()->FillRect(Rect(0, 0, 24, 16));
    canvas()->Pen()->setColor(kPen);
    canvas()->Brush()->setColor(kFill);
  }
  TCanvas* canvas() { return bitmap.Canvas(); }
  TColor At(int x, int y) { return canvas()->Pixels(x, y); }
  std::set<TColor> Colours() {
    std::set<TColor> colours;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) colours.insert(At(x, y));
    return colours;
  }

  TBitmap bitmap;
};

struct PixelCase {
  const char* name;
  int x, y;
  TColor colour;
};

void ExpectPixels(TCanvas* canvas, const std::vector<PixelCase>& cases) {
  for (const PixelCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(canvas->Pixels(c.x, c.y), c.colour) << "at " << c.x << "," << c.y;
  }
}

TEST_F(CanvasTest, RectangleKeepsThePenInsideAndExcludesRightAndBottom) {
  canvas()->Rectangle(2, 3, 8, 7);
  ExpectPixels(canvas(), {
                             {"top-left corner", 2, 3, kPen},
                             {"last column", 7, 5, kPen},
                             {"last row", 4, 6, kPen},
                             {"bottom-right corner", 7, 6, kPen},
                             {"right edge is exclusive", 8, 5, kPaper},
                             {"bottom edge is exclusive", 4, 7, kPaper},
                             {"left of it", 1, 5, kPaper},
                             {"inside", 3, 4, kFill},
                             {"inside, last", 6, 5, kFill},
                         });
  EXPECT_EQ(Colours(), (std::set<TColor>{kPaper, kPen, kFill}));
}

TEST_F(CanvasTest, RectangleWithAClearPenFillsOnePixelLessAndAClearBrushNothing) {
  canvas()->Pen()->setStyle(psClear);
  canvas()->Rectangle(2, 3, 8, 7);
  ExpectPixels(canvas(), {{"first", 2, 3, kFill},
                          {"last filled", 6, 5, kFill},
                          {"last column stays", 7, 5, kPaper},
                          {"last row stays", 4, 6, kPaper}});
  canvas()->Pen()->setStyle(psSolid);
  canvas()->Brush()->setStyle(bsClear);
  canvas()->Rectangle(10, 3, 16, 9);
  ExpectPixels(canvas(), {{"outline", 10, 3, kPen}, {"inside untouched", 12, 5, kPaper}});
}

TEST_F(CanvasTest, WiderPenStaysInsideTheRectangle) {
  canvas()->Pen()->setWidth(2);
  canvas()->Rectangle(2, 2, 12, 10);
  ExpectPixels(canvas(), {{"outer", 2, 2, kPen},
                          {"second ring", 3, 3, kPen},
                          {"inside", 4, 4, kFill},
                          {"last column", 11, 5, kPen},
                          {"beyond", 12, 5, kPaper},
                          {"last row", 5, 9, kPen},
                          {"below", 5, 10, kPaper}});
}

TEST_F(CanvasTest, FillRectCoversExactlyTheRectangleAndAClearBrushNothing) {
  canvas()->FillRect(Rect(2, 3, 8, 7));
  ExpectPixels(canvas(), {{"first", 2, 3, kFill},
                          {"last", 7, 6, kFill},
                          {"right of it", 8, 6, kPaper},
                          {"below it", 7, 7, kPaper}});
  canvas()->Brush()->setStyle(bsClear);
  canvas()->FillRect(Rect(10, 3, 14, 7));
  EXPECT_EQ(At(11, 4), kPaper);
}

TEST_F(CanvasTest, BrushColourMakesAClearBrushSolid) {
  canvas()->Brush()->setStyle(bsClear);
  canvas()->Brush()->setColor(clLime);
  EXPECT_EQ(canvas()->Brush()->Style(), bsSolid);
}

TEST_F(CanvasTest, RoundRectRoundsItsCornersWithoutAntialiasing) {
  canvas()->RoundRect(0, 0, 24, 16, 10, 10);
  ExpectPixels(canvas(), {
                             {"top-left corner cut", 0, 0, kPaper},
                             {"top-right corner cut", 23, 0, kPaper},
                             {"bottom-left corner cut", 0, 15, kPaper},
                             {"bottom-right corner cut", 23, 15, kPaper},
                             {"top edge", 12, 0, kPen},
                             {"bottom edge", 12, 15, kPen},
                             {"left edge", 0, 8, kPen},
                             {"right edge", 23, 8, kPen},
                             {"inside", 12, 8, kFill},
                             {"inside near a corner", 3, 3, kFill},
                         });
  EXPECT_EQ(Colours(), (std::set<TColor>{kPaper, kPen, kFill}));
}

TEST_F(CanvasTest, RoundRectCornersAreSymmetric) {
  canvas()->RoundRect(0, 0, 24, 16, 10, 10);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 24; ++x) {
      SCOPED_TRACE(testing::Message() << x << "," << y);
      EXPECT_EQ(At(x, y), At(23 - x, y));
      EXPECT_EQ(At(x, y), At(x, 15 - y));
    }
}

TEST_F(CanvasTest, CopyRectCopiesAndStretches) {
  canvas()->FillRect(Rect(0, 0, 2, 2));
  TBitmap target;
  target.setSize(8, 8);
  target.Canvas()->CopyRect(Rect(0, 0, 2, 2), canvas(), Rect(0, 0, 2, 2));
  target.Canvas()->CopyRect(Rect(4, 4, 8, 8), canvas(), Rect(1, 1, 3, 3));
  ExpectPixels(target.Canvas(), {{"copied", 1, 1, kFill},
                                 {"outside the copy", 2, 2, clBlack},
                                 {"stretched fill", 5, 5, kFill},
                                 {"stretched paper", 6, 5, kPaper},
                                 {"stretched paper below", 5, 6, kPaper}});
}

TEST_F(CanvasTest, CopyRectWithinOneSurfaceReadsTheSourceFirst) {
  canvas()->FillRect(Rect(0, 0, 4, 1));
  canvas()->Brush()->setColor(clLime);
  canvas()->FillRect(Rect(4, 0, 8, 1));
  canvas()->CopyRect(Rect(2, 0, 10, 1), canvas(), Rect(0, 0, 8, 1));
  ExpectPixels(canvas(), {{"kept", 1, 0, kFill},
                          {"moved fill", 5, 0, kFill},
                          {"moved lime", 6, 0, clLime},
                          {"moved lime end", 9, 0, clLime}});
}

// A painter reads a width or height of 0 or less as "to the edge": such a copy must draw nothing.
TEST_F(CanvasTest, AnEmptyOrNegativeRectangleCopiesNothing) {
  TBitmap source;
  source.setSize(24, 16);
  source.Canvas()->Brush()->setColor(clLime);
  source.Canvas()->FillRect(Rect(0, 0, 24, 16));
  struct Case {
    const char* name;
    TRect dest, from;
  } cases[] = {
      {"negative width", Rect(0, 0, -3, 16), Rect(0, 0, -3, 16)},
      {"zero width", Rect(5, 0, 5, 16), Rect(5, 0, 5, 16)},
      {"negative height", Rect(0, 8, 24, 2), Rect(0, 8, 24, 2)},
      {"an empty source into a whole target", Rect(0, 0, 24, 16), Rect(0, 0, 0, 16)},
      {"a whole source into an empty target", Rect(0, 0, 0, 16), Rect(0, 0, 24, 16)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    canvas()->CopyRect(c.dest, source.Canvas(), c.from);
    EXPECT_EQ(Colours(), std::set<TColor>{kPaper});
  }
}

TEST_F(CanvasTest, DrawLeavesOutTheBottomLeftColourOfATransparentBitmap) {
  TBitmap key;
  key.setSize(3, 3);
  key.Canvas()->Brush()->setColor(clYellow);
  key.Canvas()->FillRect(Rect(0, 0, 3, 3));
  key.Canvas()->setPixel(1, 1, clLime);
  key.setTransparent(true);
  EXPECT_EQ(key.TransparentColor(), clYellow);
  canvas()->Draw(4, 4, &key);
  ExpectPixels(canvas(), {{"transparent colour leaves the paper", 4, 4, kPaper},
                          {"other colours are drawn", 5, 5, clLime}});
  key.setTransparent(false);
  canvas()->Draw(10, 4, &key);
  EXPECT_EQ(At(10, 4), clYellow);
}

TEST_F(CanvasTest, ATransparentBitmapDrawnAgainShowsWhatWasDrawnOnItSince) {
  TBitmap key;
  key.setSize(3, 3);
  key.Canvas()->Brush()->setColor(clYellow);
  key.Canvas()->FillRect(Rect(0, 0, 3, 3));
  key.setTransparent(true);
  canvas()->Draw(4, 4, &key);
  const struct {
    const char* name;
    std::function<void()> change;
    int x, y;
    TColor expected;
  } changes[] = {
      {"a pixel", [&] { key.Canvas()->setPixel(1, 1, clLime); }, 1, 1, clLime},
      {"a shape",
       [&] {
         key.Canvas()->Pen()->setColor(clBlue);
         key.Canvas()->Rectangle(0, 0, 3, 2);
       },
       0, 0, clBlue},
      {"a copy",
       [&] {
         key = TBitmap(key);
         key.Canvas()->setPixel(1, 0, clRed);
       },
       1, 0, clRed},
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.name);
    c.change();
    canvas()->Draw(4, 4, &key);
    EXPECT_EQ(At(4 + c.x, 4 + c.y), c.expected);
  }
}

// A bitmap copied over one of its size and format writes the pixels into that one's memory (a
// line's end copies one of megabytes); over one whose pixels are shared it takes a copy of its
// own, and what shared them keeps them.
TEST_F(CanvasTest, ABitmapCopiedOverOneOfItsLayoutWritesItsPixelsInPlace) {
  TBitmap other;
  other.setSize(24, 16);
  other.Canvas()->Brush()->setColor(clLime);
  other.Canvas()->FillRect(Rect(0, 0, 24, 16));
  const uchar* own = bitmap.Image().constBits();
  bitmap = other;
  EXPECT_EQ(bitmap.Image().constBits(), own);
  EXPECT_EQ(At(5, 5), clLime);

  const QImage sharer = bitmap.Image();
  other.Canvas()->setPixel(5, 5, clRed);
  bitmap = other;
  EXPECT_EQ(At(5, 5), clRed);
  EXPECT_EQ(sharer.pixelColor(5, 5), QColor(0, 255, 0));
  EXPECT_NE(bitmap.Image().constBits(), other.Image().constBits());
}

TEST_F(CanvasTest, StretchDrawScalesToTheRectangleAlsoBeyondTheEdges) {
  TBitmap picture;
  picture.setSize(2, 2);
  picture.Canvas()->setPixel(0, 0, clRed);
  picture.Canvas()->setPixel(1, 0, clLime);
  picture.Canvas()->setPixel(0, 1, clBlue);
  picture.Canvas()->setPixel(1, 1, clYellow);
  canvas()->StretchDraw(Rect(4, 4, 8, 8), &picture);
  canvas()->StretchDraw(Rect(-2, -2, 2, 2), &picture);
  ExpectPixels(canvas(), {{"top-left block", 5, 5, clRed},
                          {"top-right block", 6, 5, clLime},
                          {"bottom-left block", 5, 6, clBlue},
                          {"bottom-right block", 7, 7, clYellow},
                          {"beyond it", 8, 8, kPaper},
                          {"part of a picture drawn off the edge", 1, 1, clYellow},
                          {"its neighbour", 0, 0, clYellow}});
}

// Fills, copies and draws write the pixels a painter would, whatever the formats, the alpha of
// what is drawn and the edges the rectangles cross (they are written without one where they can).
TEST(CanvasWordsTest, FillCopyAndDrawPaintWhatAPainterPaints) {
  auto pattern = [](QImage::Format format, QSize size, bool partialAlpha) {
    QImage image(size, format);
    for (int y = 0; y < size.height(); ++y)
      for (int x = 0; x < size.width(); ++x) {
        int alpha = (x + y) % 3 == 0 ? 0 : 255;
        if (partialAlpha && (x + 2 * y) % 5 == 0) alpha = 128;
        image.setPixelColor(x, y, QColor((x * 37) % 256, (y * 53) % 256, 90, alpha));
      }
    return image;
  };
  const QImage::Format formats[] = {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied,
                                    QImage::Format_ARGB32};
  const QRect places[] = {QRect(2, 3, 5, 4), QRect(-2, -1, 6, 5), QRect(9, 8, 6, 5),
                          QRect(0, 0, 12, 10)};
  const QSize size(12, 10);
  for (QImage::Format surfaceFormat : formats)
    for (QImage::Format pictureFormat : formats)
      for (bool partialAlpha : {false, true})
        for (const QRect& place : places) {
          SCOPED_TRACE(testing::Message()
                       << "surface " << surfaceFormat << ", picture " << pictureFormat
                       << ", partial " << partialAlpha << ", at " << place.x() << "," << place.y());
          QImage source = pattern(pictureFormat, size, partialAlpha);
          const TPixels picture(pattern(pictureFormat, place.size(), partialAlpha));
          const TRect rect = Rect(place.left(), place.top(), place.right() + 1, place.bottom() + 1);
          const QRect part(1, 2, place.width() - 1, place.height() - 2);

          QImage surface = pattern(surfaceFormat, size, false), expected = surface;
          TCanvas canvas(&surface), from(&source);
          canvas.Brush()->setColor(clLime);
          canvas.FillRect(rect);
          canvas.CopyRect(Rect(place.left(), place.top(), place.left() + part.width(),
                               place.top() + part.height()),
                          &from, Rect(1, 2, part.right() + 1, part.bottom() + 1));
          QPainter painter(&expected);
          painter.fillRect(place, ToQColor(clLime));
          painter.setCompositionMode(QPainter::CompositionMode_Source);
          painter.drawImage(QRect(place.topLeft(), part.size()), source, part);
          painter.end();
          EXPECT_EQ(surface, expected) << "fill and copy";

          surface = expected = pattern(surfaceFormat, size, false);
          canvas.Draw(place.left(), place.top(), &picture);
          QPainter(&expected).drawImage(place.topLeft(), picture.DrawnImage());
          EXPECT_EQ(surface, expected) << "draw";
        }
}

// An opaque picture of the surface's size and format is handed over, not copied (a wallpaper's
// pixels are megabytes), and what is drawn on the surface afterwards leaves the picture as it
// was; any other picture is drawn as Draw draws it.
TEST(CanvasWordsTest, DrawSharedSharesAWholeOpaquePictureUntilTheSurfaceIsDrawnOn) {
  const struct {
    const char* name;
    QSize size;
    QImage::Format format;
    bool shared;
  } cases[] = {
      {"whole and opaque", {12, 10}, QImage::Format_RGB32, true},
      {"smaller", {11, 10}, QImage::Format_RGB32, false},
      {"with alpha", {12, 10}, QImage::Format_ARGB32_Premultiplied, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QImage pixels(c.size, c.format);
    pixels.fill(QColor(255, 0, 0, 128));
    const TPixels picture(pixels);
    QImage surface(12, 10, QImage::Format_RGB32), expected = surface;
    surface.fill(Qt::white);
    expected.fill(Qt::white);
    QPainter(&expected).drawImage(0, 0, picture.DrawnImage());
    TCanvas canvas(&surface);
    canvas.DrawShared(&picture);
    EXPECT_EQ(surface.constBits() == picture.Image().constBits(), c.shared);
    EXPECT_EQ(surface, expected);
    canvas.setPixel(3, 3, clBlue);
    EXPECT_EQ(canvas.Pixels(3, 3), clBlue);
    EXPECT_EQ(picture.Image().pixelColor(3, 3), pixels.pixelColor(3, 3));
  }
}

TEST_F(CanvasTest, TextHeightIsTheFontsCellHeightForPositiveHeights) {
  canvas()->Font()->setName("DejaVu Sans");
  for (int height : {8, 11, 16, 24, 40, 81}) {
    SCOPED_TRACE(height);
    canvas()->Font()->setHeight(height);
    EXPECT_EQ(canvas()->TextHeight("Wg"), height);
    int drawnCell = QFontMetrics(canvas()->Font()->ToQFont()).height();
    EXPECT_LE(drawnCell, height);
    EXPECT_GE(drawnCell, height - 1) << "the glyphs fill the cell";
    canvas()->Font()->setHeight(-height);
    EXPECT_GT(canvas()->TextHeight("Wg"), height);
  }
}

TEST_F(CanvasTest, TextWidthGrowsWithTheFontAndTheText) {
  canvas()->Font()->setName("DejaVu Sans");
  canvas()->Font()->setHeight(20);
  int small = canvas()->TextWidth("abcdef");
  EXPECT_GT(small, 0);
  EXPECT_EQ(canvas()->TextWidth(""), 0);
  EXPECT_GT(canvas()->TextWidth("abcdefabcdef"), small * 3 / 2);
  canvas()->Font()->setHeight(40);
  EXPECT_GT(canvas()->TextWidth("abcdef"), small * 3 / 2);
  canvas()->Font()->setStyle(fsBold);
  EXPECT_GT(canvas()->TextWidth("abcdef"), canvas()->TextWidth("abc") * 3 / 2);
}

TEST_F(CanvasTest, TextOutFillsItsCellUnlessTheBrushIsClear) {
  canvas()->Font()->setName("DejaVu Sans");
  canvas()->Font()->setHeight(12);
  canvas()->Font()->setColor(clBlack);
  canvas()->Brush()->setColor(clLime);
  canvas()->TextOut(1, 1, "i");
  TSize cell = canvas()->TextExtent("i");
  EXPECT_EQ(cell.cy, 12);
  EXPECT_EQ(At(1, 1), clLime);
  EXPECT_EQ(At(1 + cell.cx - 1, 1 + cell.cy - 1), clLime);
  EXPECT_EQ(At(1 + cell.cx, 1), kPaper);
  canvas()->Brush()->setStyle(bsClear);
  canvas()->TextOut(12, 1, "i");
  EXPECT_EQ(At(12, 1), kPaper);
  int inked = 0;
  for (int y = 1; y < 13; ++y)
    for (int x = 12; x < 12 + cell.cx; ++x) inked += At(x, y) != kPaper;
  EXPECT_GT(inked, 0) << "the letter is drawn on the paper";
}

TEST_F(CanvasTest, TextRectClipsToTheRectangleItFills) {
  canvas()->Font()->setName("DejaVu Sans");
  canvas()->Font()->setHeight(16);
  canvas()->Font()->setColor(clBlack);
  canvas()->Brush()->setColor(clLime);
  canvas()->TextRect(Rect(2, 2, 8, 10), 2, 2, "WWWWWW");
  EXPECT_EQ(At(2, 2), clLime);
  for (int y = 0; y < 16; ++y)
    for (int x = 8; x < 24; ++x) EXPECT_EQ(At(x, y), kPaper) << x << "," << y;
}

// Draws the text with the font and answers the picture.
QImage Rendered(const std::string& text, int charset) {
  TBitmap bitmap;
  bitmap.setSize(120, 30);
  TCanvas* canvas = bitmap.Canvas();
  canvas->FillRect(Rect(0, 0, 120, 30));
  canvas->Font()->setName("DejaVu Sans");
  canvas->Font()->setHeight(20);
  canvas->Font()->setColor(clBlack);
  canvas->Font()->setCharset(charset);
  canvas->TextOut(0, 0, text);
  return bitmap.Image();
}

TEST(CanvasCodePageTest, ACharacterSetDrawsTheLettersOfItsCodePage) {
  const struct {
    const char* name;
    std::string bytes;
    int charset;
    const char* letters;
    int other;  // a character set whose code page has other letters there
  } cases[] = {
      {"Russian", "\xCF\xF0\xE8\xE2\xE5\xF2", RUSSIAN_CHARSET, "Привет", 238},
      // A font that no localization gave a set shows the system's own texts and user names.
      {"ANSI", "\xCF\xF0\xE8\xE2\xE5\xF2", ANSI_CHARSET, "Привет", 238},
      {"Western", "Gr\xFC\xDF\xE4", kWesternCharset, "Grüßä", RUSSIAN_CHARSET},
  };
  TFont font;
  font.setName("DejaVu Sans");
  font.setHeight(20);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QImage drawn = Rendered(c.bytes, c.charset);
    QImage expected(120, 30, drawn.format());
    expected.fill(Qt::white);
    QPainter painter(&expected);
    painter.setFont(font.ToQFont());
    painter.setPen(Qt::black);
    painter.drawText(QPoint(0, QFontMetrics(font.ToQFont()).ascent()),
                     QString::fromUtf8(c.letters));
    painter.end();
    EXPECT_EQ(drawn, expected);
    EXPECT_NE(Rendered(c.bytes, c.other), drawn);
  }
}

}  // namespace
