#include "toolkit/gui/blankimage.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QPainter>

#include <functional>

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

// The page faults of this thread while `run` runs.
long FaultsOf(const std::function<void()>& run) {
  rusage before{}, after{};
  getrusage(RUSAGE_THREAD, &before);
  run();
  getrusage(RUSAGE_THREAD, &after);
  return after.ru_minflt - before.ru_minflt;
}

// A megabyte of pixels: 256 pages of 4 KiB, below the size of a large page.
constexpr int kSide = 512;
constexpr long kPages = kSide * kSide * 4 / 4096;

// A released image's memory goes to the next image that fits in it, written in already.
TEST(BlankImageTest, AReleasedImagesMemoryIsTakenByTheNext) {
  const uchar* first = BlankImage(kSide, kSide, QImage::Format_RGB32, Qt::black).constBits();
  QImage next;
  const long faults =
      FaultsOf([&] { next = BlankImage(kSide, kSide - 10, QImage::Format_RGB32, Qt::white); });
  EXPECT_EQ(next.constBits(), first);
  EXPECT_LT(faults, kPages / 10);
  EXPECT_EQ(next.pixelColor(kSide - 1, kSide - 11), QColor(Qt::white));
}

// A copy of a large image takes kept memory too, and shares nothing with the original.
TEST(BlankImageTest, ACopyTakesKeptMemoryAndSharesNothing) {
  QImage source = BlankImage(kSide, kSide, QImage::Format_ARGB32_Premultiplied, Qt::red);
  source.setPixelColor(3, 3, Qt::blue);
  const uchar* released =
      BlankImage(kSide, kSide, QImage::Format_ARGB32_Premultiplied, Qt::black).constBits();
  QImage copy = CopiedImage(source);
  EXPECT_EQ(copy.constBits(), released);
  EXPECT_EQ(copy, source);
  copy.setPixelColor(3, 3, Qt::green);
  EXPECT_EQ(source.pixelColor(3, 3), QColor(Qt::blue));
}

// Memory prepared ahead is mapped in: the images cut from it are filled without faults. (Less
// than a large page, which the system would map in at one fault anyway.)
TEST(BlankImageTest, ImagesCutFromPreparedMemoryAreFilledWithoutFaults) {
  PrepareBlankImages(size_t{3} << 19);
  QImage whole, half;
  const long faults = FaultsOf([&] {
    whole = BlankImage(kSide, kSide, QImage::Format_RGB32, Qt::red);
    half = BlankImage(kSide, kSide / 2, QImage::Format_RGB32, Qt::blue);
  });
  EXPECT_LT(faults, kPages * 3 / 2 / 10);
  EXPECT_EQ(whole.pixelColor(kSide - 1, kSide - 1), QColor(Qt::red));
  EXPECT_EQ(half.pixelColor(kSide - 1, kSide / 2 - 1), QColor(Qt::blue));
}

// A child started by a fork does not take the pixels along: after it, drawing on an image
// writes its pages in place instead of copying each at its first write.
TEST(BlankImageTest, AForkLeavesTheImagesPagesWritable) {
  QImage image = BlankImage(kSide, kSide, QImage::Format_RGB32, Qt::black);
  const pid_t child = fork();
  if (child == 0) _exit(0);
  ASSERT_GT(child, 0);
  waitpid(child, nullptr, 0);
  EXPECT_LT(FaultsOf([&] { image.fill(Qt::green); }), kPages / 10);
}

}  // namespace
