#include "resources/pictures/picture.h"

#include <gtest/gtest.h>

#include "support/guiapplication.h"
#include "toolkit/exception.h"
#include "toolkit/gui/jpegimage.h"
#include "toolkit/gui/pngimage.h"

namespace {

TEST(PictureTest, TheBuiltInPicturesDecodeInTheirFormats) {
  TJPEGImage wallpaper;
  LoadPicture(&wallpaper, "DEFAULT_WALLPAPER");
  EXPECT_GE(wallpaper.Width(), 1280);
  TPNGImage logo;
  LoadPicture(&logo, "LOGOTYPE_PNG");
  EXPECT_FALSE(logo.Empty());
  EXPECT_TRUE(logo.Image().hasAlphaChannel());
}

TEST(PictureTest, AnUnknownNameRaises) {
  TPNGImage picture;
  EXPECT_THROW(LoadPicture(&picture, "NO_SUCH_PICTURE"), Exception);
}

}  // namespace
