#include "toolkit/color.h"

#include <gtest/gtest.h>

namespace {

TEST(Color, SystemColoursBecomeRgbAndOthersStay) {
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456);
  EXPECT_EQ(ColorToRGB(0), 0);
  EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFF);
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xF0F0F0);
  EXPECT_EQ(ColorToRGB(clHighlight), 0xFF9933);  // red 51, green 153, blue 255
  EXPECT_EQ(ColorToRGB(clSystemColor | 200), 0);
  EXPECT_EQ(ColorToRGB(-1), 0);
}

}  // namespace
