#include "foundation/tcolorlib.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorLib, ShadesMixesAndGreys) {
  struct Case {
    const char* name;
    TColor result, expected;
  } cases[] = {
      {"DarkerWhite", DarkerColor(0xFFFFFF, 20), 0xCCCCCC},
      {"DarkerYellow", DarkerColor(0x00FFFF, 20), 0x00CCCC},
      {"DarkerTruncates", DarkerColor(0x010203, 50), 0x010102},
      {"LighterBlue", LighterColor(0x800000, 40), 0xB26666},
      {"Mix", MixColors(0x0000FF, 0xFF0000), 0x7F007F},
      {"Gray", GrayColor(0x0000FF), 0x555555},
      {"ZeroPercentUnchanged", DarkerColor(0x123456, 0), 0x123456},
      {"NegativePercentUnchanged", LighterColor(0x123456, -5), 0x123456},
      {"SystemColourUnchangedAtZero", DarkerColor(clBtnFace, 0), clBtnFace},
      {"TopByteKeptWhenUnchanged", LighterColor(0x7F123456, 0), 0x7F123456},
      {"DarkerOver100IsBlack", DarkerColor(0x123456, 250), 0x000000},
      {"LighterOver100IsWhite", LighterColor(0x123456, 250), 0xFFFFFF},
      {"DarkerSystemColour", DarkerColor(clBtnFace, 10), 0xD8D8D8},  // 240 - 24
      {"GraySystemColour", GrayColor(clWindow), 0xFFFFFF},
      {"MixSystemColours", MixColors(clWindow, clWindowText), 0x7F7F7F},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.result, c.expected);
  }
}

}  // namespace
