#include "toolkit/sysutils.h"

#include <gtest/gtest.h>

#include "support/commalocale.h"
#include "toolkit/exception.h"

namespace {

struct IntCase {
  const char* name;
  const char* text;
  bool valid;
  int32_t value;
};

TEST(SysUtils, StrToIntTable) {
  const IntCase cases[] = {
      {"Decimal", "42", true, 42},
      {"Negative", "-17", true, -17},
      {"PlusSign", "+5", true, 5},
      {"LeadingBlanks", "  7", true, 7},
      {"HexAfterDollar", "$1F", true, 31},
      {"HexLowerCase", "$ff", true, 255},
      {"NegativeHex", "-$10", true, -16},
      {"HexFillsAllBits", "$FFFFFFFF", true, -1},
      {"MostNegative", "-2147483648", true, INT32_MIN},
      {"Largest", "2147483647", true, INT32_MAX},
      {"Overflow", "2147483648", false, 0},
      {"TrailingBlank", "7 ", false, 0},
      {"Empty", "", false, 0},
      {"SignOnly", "-", false, 0},
      {"DollarOnly", "$", false, 0},
      {"Word", "seven", false, 0},
      {"Float", "1.5", false, 0},
  };
  for (const IntCase& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.valid) {
      EXPECT_EQ(StrToInt(c.text), c.value);
    } else {
      try {
        StrToInt(c.text);
        ADD_FAILURE() << "no error";
      } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, std::string("'") + c.text + "' is not a valid integer value");
      }
      EXPECT_EQ(StrToIntDef(c.text, 99), 99);
    }
  }
}

TEST(SysUtils, StrToFloatFollowsTheDecimalSeparator) {
  EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
  EXPECT_DOUBLE_EQ(StrToFloat(" -2.25e2 "), -225.0);
  EXPECT_DOUBLE_EQ(StrToFloat("+1.5"), 1.5);
  for (const char* bad : {"", "1,5", "abc", "nan", "inf", "0x10", "1.5x", "+", "+-1", "1e999"}) {
    SCOPED_TRACE(bad);
    try {
      StrToFloat(bad);
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message, std::string("'") + bad + "' is not a valid floating point value");
    }
  }
  DecimalSeparator = ',';
  EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
  EXPECT_THROW(StrToFloat("1.5"), EConvertError);
  EXPECT_EQ(FloatToStr(0.25), "0,25");
  DecimalSeparator = '.';
}

TEST(SysUtils, FloatToStrGeneralForm) {
  EXPECT_EQ(FloatToStr(1.5), "1.5");
  EXPECT_EQ(FloatToStr(3), "3");
  EXPECT_EQ(FloatToStr(0.1), "0.1");
  EXPECT_EQ(FloatToStr(1.5e20), "1.5E20");
  EXPECT_EQ(FloatToStr(1e-5), "1E-5");
  EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
}

TEST(SysUtils, FloatTextsIgnoreTheCLibraryLocale) {
  CommaLocale comma;
  if (!comma.ok()) GTEST_SKIP() << "no comma locale: scripts/install-deps installs one";
  EXPECT_EQ(FloatToStr(1.5), "1.5");
  EXPECT_EQ(FloatToStr(1.5e20), "1.5E20");
  EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
  EXPECT_THROW(StrToFloat("1,5"), EConvertError);
  DecimalSeparator = ',';
  EXPECT_EQ(FloatToStr(0.25), "0,25");
  EXPECT_DOUBLE_EQ(StrToFloat("0,25"), 0.25);
  DecimalSeparator = '.';
}

TEST(SysUtils, TextHelpers) {
  EXPECT_EQ(Trim("\t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(IntToHex(0xAB, 4), "00AB");
  EXPECT_TRUE(SameText("Deleted", "dELETED"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_EQ(StringReplaceAll("%A%%A%", "%A%", "%A%x"), "%A%x%A%x");
  EXPECT_EQ(StringReplaceAll("abc", "", "x"), "abc");
}

}  // namespace
