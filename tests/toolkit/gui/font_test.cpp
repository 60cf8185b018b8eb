#include "toolkit/gui/font.h"

#include <gtest/gtest.h>

#include <QFont>

#include "support/guiapplication.h"

namespace {

TEST(FontTest, FamilyNameIsReadInTheSystemCodePage) {
  TFont font;
  font.setName("\xC0\xF0\xE8\xE0\xEB");  // "Ариал" in Windows-1251
  font.setCharset(238);                  // the character set is the texts', not the name's
  EXPECT_EQ(font.ToQFont().family(), QString::fromUtf8("Ариал"));
}

}  // namespace
