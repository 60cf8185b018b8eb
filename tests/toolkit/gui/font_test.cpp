#include "toolkit/gui/font.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>

#include "support/guiapplication.h"
#include "toolkit/gui/bitmap.h"
#include "toolkit/gui/canvas.h"
#include "toolkit/gui/fontfiles.h"

namespace {

TEST(FontTest, FamilyNameIsReadInTheSystemCodePage) {
  TFont font;
  font.setName("\xC0\xF0\xE8\xE0\xEB");  // "Ариал" in Windows-1251
  font.setCharset(238);                  // the character set is the texts', not the name's
  EXPECT_EQ(font.ToQFont().family(), QString::fromUtf8("Ариал"));
}

// The application registered them at start; the figures of every fitted text rely on it.
TEST(FontTest, DesignFontsResolveToTheirMetricCompatibleFamilies) {
  EXPECT_TRUE(RegisterSubstituteFonts());
  struct Case {
    const char* design;
    const char* resolved;
  } cases[] = {{"Tahoma", "Tahoma"}, {"Arial Narrow", "Liberation Sans Narrow"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.design);
    TFont font;
    font.setName(c.design);
    EXPECT_EQ(QFontInfo(font.ToQFont()).family(), QString::fromUtf8(c.resolved));
  }
}

// Text drawn in a cell of its height holds the marks above capitals, as Windows lays the
// design's Tahoma out: Й is no И and Ё no Е.
TEST(FontTest, ATahomaCellHoldsTheMarksAboveCapitals) {
  ASSERT_TRUE(RegisterSubstituteFonts());
  for (int cell : {23, 50}) {
    SCOPED_TRACE(cell);
    auto drawn = [cell](const char* text) {
      TBitmap bitmap;
      bitmap.setSize(cell, cell);
      TCanvas* canvas = bitmap.Canvas();
      canvas->Brush()->setColor(clWhite);
      canvas->FillRect(Rect(0, 0, cell, cell));
      canvas->Font()->setName("Tahoma");
      canvas->Font()->setCharset(RUSSIAN_CHARSET);
      canvas->Font()->setHeight(cell);
      canvas->TextOut(0, 0, text);
      return canvas->Surface()->copy();
    };
    EXPECT_NE(drawn("\xC9"), drawn("\xC8")) << "Й, И";
    EXPECT_NE(drawn("\xA8"), drawn("\xC5")) << "Ё, Е";
  }
}

}  // namespace
