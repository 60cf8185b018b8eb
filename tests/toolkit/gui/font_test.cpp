#include "toolkit/gui/font.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

#include "support/guiapplication.h"
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

}  // namespace
