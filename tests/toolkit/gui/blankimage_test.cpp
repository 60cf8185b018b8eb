#include "toolkit/gui/blankimage.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "support/guiapplication.h"

namespace {

// A screen-sized image lies on pages of its own: it is still an image like any other, blank,
// laid out as Qt lays out its own, and a copy that is drawn on leaves it as it was.
TEST(BlankImageTest, SmallAndScreenSizedImagesAreBlankAndBehaveAsQtsOwn) {
  const struct {
    int Width, Height;
    QImage::Format Format;
    QColor Fill;
  } cases[] = {
      {0, 0, QImage::Format_RGB32, Qt::black},
      {-3, 5, QImage::Format_RGB32, Qt::black},
      {40, 30, QImage::Format_ARGB32_Premultiplied, Qt::transparent},
      {1920, 1200, QImage::Format_RGB32, QColor(10, 20, 30)},
      {1921, 1201, QImage::Format_ARGB32_Premultiplied, Qt::transparent},
      {3001, 900, QImage::Format_RGB888, Qt::white},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Width << "x" << c.Height);
    QImage image = BlankImage(c.Width, c.Height, c.Format, c.Fill);
    const QImage own(std::max(0, c.Width), std::max(0, c.Height), c.Format);
    EXPECT_EQ(image.size(), own.size());
    EXPECT_EQ(image.bytesPerLine(), own.bytesPerLine());
    if (image.isNull()) continue;
    EXPECT_EQ(image.format(), c.Format);
    const QColor fill = c.Fill.alpha() == 0 ? QColor(0, 0, 0, 0) : c.Fill;
    EXPECT_EQ(image.pixelColor(0, 0), fill);
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), fill);

    QImage copy = image;
    QPainter(&copy).fillRect(0, 0, 2, 2, Qt::red);
    EXPECT_EQ(copy.pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(1, 1), fill);
    QPainter(&image).fillRect(image.rect(), Qt::green);
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), QColor(Qt::green));
  }
}

}  // namespace
