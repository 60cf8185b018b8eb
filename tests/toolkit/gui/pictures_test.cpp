#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QBuffer>
#include <QImageReader>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "support/guiapplication.h"
#include "support/jpegfiles.h"
#include "support/tempdir.h"
#include "toolkit/exception.h"
#include "toolkit/gui/bitmap.h"
#include "toolkit/gui/gifimage.h"
#include "toolkit/gui/jpegimage.h"
#include "toolkit/gui/pngimage.h"
#include "toolkit/gui/resourcestream.h"
#include "toolkit/thread.h"

namespace {

std::string Picture(const std::string& name) {
  return std::string(LOMTAK_TEST_DATA_DIR) + "/pictures/" + name;
}

// Lossy pixels are compared channel by channel with some slack.
void ExpectNear(QRgb actual, QRgb expected) {
  EXPECT_NEAR(qRed(actual), qRed(expected), 24);
  EXPECT_NEAR(qGreen(actual), qGreen(expected), 24);
  EXPECT_NEAR(qBlue(actual), qBlue(expected), 24);
}

TEST(JPEGImageTest, DecodesAFileOfEveryKindInItsColours) {
  for (const char* name : {"redblue.jpg", "redblue-progressive.jpg", "redblue-cmyk.jpg"}) {
    SCOPED_TRACE(name);
    TJPEGImage jpeg;
    jpeg.LoadFromFile(Picture(name));
    ASSERT_EQ(jpeg.Width(), 16);
    ASSERT_EQ(jpeg.Height(), 8);
    ExpectNear(jpeg.Image().pixel(2, 4), qRgb(255, 0, 0));
    ExpectNear(jpeg.Image().pixel(13, 4), qRgb(0, 0, 255));
  }
}

TEST(JPEGImageTest, BadDataRaisesAndKeepsThePicture) {
  TJPEGImage jpeg;
  jpeg.LoadFromFile(Picture("redblue.jpg"));
  // huge.jpg's few hundred bytes claim 60000 x 60000 pixels: 14 GB that are never asked for.
  for (const char* name : {"notapicture.bin", "pixels.png", "huge.jpg"}) {
    SCOPED_TRACE(name);
    try {
      jpeg.LoadFromFile(Picture(name));
      FAIL() << "no exception";
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message.rfind("JPEG error: ", 0), 0u) << error.Message;
    }
    EXPECT_EQ(jpeg.Width(), 16);
  }
  EXPECT_THROW(jpeg.LoadFromMemory("", 0), Exception);
  EXPECT_THROW(jpeg.LoadFromFile(Picture("missing.jpg")), Exception);
}

// Qt's limit for decoded pictures, in megabytes, while it lives.
class AllocationLimit {
public:
  explicit AllocationLimit(int megabytes) : saved_(QImageReader::allocationLimit()) {
    QImageReader::setAllocationLimit(megabytes);
  }
  ~AllocationLimit() { QImageReader::setAllocationLimit(saved_); }

private:
  const int saved_;
};

TEST(JPEGImageTest, DecodesAtTheSmallestEighthThatCoversTheAreaWithinTheLimit) {
  // Qt 6.4's own limit, whatever Qt this runs on: 33 megapixels.
  const AllocationLimit limit(128);
  const std::string photo = EncodeJpeg(8192, 4160), odd = EncodeJpeg(1001, 751);
  const std::string small = TempDir::Read(Picture("redblue.jpg"));
  struct Case {
    const char* name;
    const std::string& file;
    TSize area;
    int width, height;
  } cases[] = {
      {"full size, but for the limit: seven eighths", photo, {INT_MAX, INT_MAX}, 7168, 3640},
      {"a screen that a quarter covers", photo, {1000, 700}, 2048, 1040},
      {"a small area: an eighth", photo, {100, 100}, 1024, 520},
      {"the photo's own size, but for the limit", photo, {8192, 4160}, 7168, 3640},
      {"sides that are no multiple of eight round up", odd, {500, 376}, 501, 376},
      {"a picture smaller than the area is never enlarged", small, {1920, 1200}, 16, 8},
      {"a half covers half the picture's size", small, {8, 4}, 8, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TJPEGImage jpeg;
    jpeg.setCoverArea(c.area);
    jpeg.LoadFromMemory(c.file.data(), c.file.size());
    EXPECT_EQ(jpeg.Width(), c.width);
    EXPECT_EQ(jpeg.Height(), c.height);
  }
  // Colours survive scaling, in libjpeg's own pixels and in those converted from CMYK.
  for (const char* name : {"redblue.jpg", "redblue-cmyk.jpg"}) {
    SCOPED_TRACE(name);
    TJPEGImage halved;
    halved.setCoverArea({8, 4});
    halved.LoadFromFile(Picture(name));
    ExpectNear(halved.Image().pixel(1, 2), qRgb(255, 0, 0));
    ExpectNear(halved.Image().pixel(6, 2), qRgb(0, 0, 255));
  }
}

TEST(JPEGImageTest, AProgressivePictureOfMoreThanAHundredScansIsRefused) {
  const std::string picture = EncodeJpeg(16, 16, true);
  for (auto [scans, decodes] : {std::pair{10, true}, {100, true}, {101, false}}) {
    SCOPED_TRACE(scans);
    const std::string file = WithScans(picture, scans);
    TJPEGImage jpeg;
    if (decodes) {
      jpeg.LoadFromMemory(file.data(), file.size());
      EXPECT_EQ(jpeg.Width(), 16);
    } else {
      EXPECT_THROW(jpeg.LoadFromMemory(file.data(), file.size()), Exception);
    }
  }
}

// One decoder fed one file, and the size it gives (none: it is refused).
struct DecodeCase {
  const char* name;
  TGraphic* picture;
  std::string data;
  int width = 0, height = 0;
};

// Grey lower parts are no picture: a file cut short anywhere is refused as bad data is.
TEST(PicturesTest, DataThatEndsBeforeThePictureDoesIsBroken) {
  const std::string baseline = EncodeJpeg(256, 256), progressive = EncodeJpeg(256, 256, true);
  const std::string png = TempDir::Read(Picture("pixels.png"));
  // Halfway from the scan header at `scan` to the end.
  auto cutInScan = [](const std::string& jpeg, size_t scan) {
    return jpeg.substr(0, scan + (jpeg.size() - scan) / 2);
  };
  const std::string cutBaseline = cutInScan(baseline, baseline.find("\xFF\xDA"));
  TJPEGImage jpeg;
  TPNGImage pngImage;
  DecodeCase cases[] = {
      {"a JPEG file cut short", &jpeg, TempDir::Read(Picture("truncated.jpg"))},
      {"baseline, cut in its scan", &jpeg, cutBaseline},
      // A marker before the scan's end: the file was cut and closed again.
      {"baseline, cut in its scan and ended", &jpeg, cutBaseline + "\xFF\xD9"},
      {"baseline, without its end marker", &jpeg, baseline.substr(0, baseline.size() - 2)},
      {"progressive, without its last scan", &jpeg,
       progressive.substr(0, progressive.rfind("\xFF\xDA"))},
      {"PNG, cut in its pixels", &pngImage, png.substr(0, png.size() - 20)},
  };
  for (DecodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(c.picture->LoadFromMemory(c.data.data(), c.data.size()), Exception);
  }
}

// From now on the process may map no more than `bytes` beyond what it holds.
void LimitAddressSpaceGrowth(rlim_t bytes) {
  rlim_t pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  rlimit limit{};
  getrlimit(RLIMIT_AS, &limit);
  limit.rlim_cur = pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + bytes;
  setrlimit(RLIMIT_AS, &limit);
}

// Prints the decoder's refusal and ends the process: 0 for a refusal, 1 for a picture.
[[noreturn]] void DecodeAndExit(TGraphic* picture, const std::string& data) {
  try {
    picture->LoadFromMemory(data.data(), data.size());
  } catch (const Exception& error) {
    std::fprintf(stderr, "%s\n", error.Message.c_str());
    std::_Exit(0);
  }
  std::_Exit(1);
}

// A few hundred bytes whose header claims gigabytes are refused for their size before anything
// is allocated. Each is decoded in a child process that may map no more than a gigabyte beside
// what it holds: a decoder that believes the header fails there, and the machine keeps its
// memory.
TEST(PicturesTest, AHeaderClaimingMorePixelsThanMemoryHoldsIsRefusedAsTooLarge) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // 8.6 GB of coefficients that libjpeg keeps for a progressive picture until its last scan.
  const std::string progressive =
      WithScans(WithClaimedSize(EncodeJpeg(64, 64, true), 65500, 65500), 200);
  TJPEGImage jpeg, forAScreen;
  forAScreen.setCoverArea({1920, 1200});
  TPNGImage png;
  DecodeCase cases[] = {
      {"a progressive JPEG of 65500 x 65500 in 200 scans", &jpeg, progressive},
      // An eighth, 3750 x 3750, would be few enough pixels; its coefficients take 1.8 GB.
      {"a progressive JPEG of 30000 x 30000 for a screen", &forAScreen,
       WithClaimedSize(EncodeJpeg(64, 64, true), 30000, 30000)},
      {"a PNG of 30000 x 30000", &png, TempDir::Read(Picture("huge.png"))},
  };
  for (DecodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EXIT(
        {
          LimitAddressSpaceGrowth(rlim_t{1} << 30);
          DecodeAndExit(c.picture, c.data);
        },
        testing::ExitedWithCode(0), "too large");
  }
}

std::string EncodePng(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::gray);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

// The decoders keep Qt's limit to the byte, as Qt's own readers do: pixels that take it exactly
// decode, a row more is too many. libjpeg's working memory holds whatever a progressive picture
// within the limit keeps, and a header whose every scale passes the limit is refused unread.
TEST(PicturesTest, QtsLimitForDecodedPicturesHoldsToTheByte) {
  const AllocationLimit limit(1);  // 512 x 512 pixels
  TJPEGImage jpeg;
  TPNGImage png;
  DecodeCase cases[] = {
      {"a JPEG that takes the limit", &jpeg, EncodeJpeg(512, 512), 512, 512},
      {"a JPEG of a row more, at seven eighths", &jpeg, EncodeJpeg(512, 513), 448, 449},
      {"a progressive JPEG of three full channels that takes the limit", &jpeg,
       EncodeJpeg(512, 512, true, 3), 512, 512},
      {"a JPEG whose eighth has a row more", &jpeg,
       WithClaimedSize(EncodeJpeg(64, 64), 4096, 4104)},
      {"a PNG that takes the limit", &png, EncodePng(512, 512), 512, 512},
      {"a PNG of a row more", &png, EncodePng(512, 513)},
  };
  for (DecodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      c.picture->LoadFromMemory(c.data.data(), c.data.size());
      EXPECT_EQ(c.picture->Width(), c.width);
      EXPECT_EQ(c.picture->Height(), c.height);
    } catch (const Exception& error) {
      EXPECT_EQ(c.width, 0) << error.Message;
      EXPECT_NE(error.Message.find("pixels is too large"), std::string::npos) << error.Message;
    }
  }
}

TEST(PNGImageTest, DecodesEveryPixelWithItsAlpha) {
  TPNGImage png;
  png.LoadFromFile(Picture("pixels.png"));
  ASSERT_EQ(png.Width(), 3);
  ASSERT_EQ(png.Height(), 2);
  const QImage& image = png.Image();
  EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(1, 0), QColor(0, 255, 0));
  EXPECT_EQ(image.pixelColor(2, 0).alpha(), 0);
  EXPECT_EQ(image.pixelColor(0, 1), QColor(255, 255, 255));
  EXPECT_EQ(image.pixelColor(1, 1), QColor(0, 0, 0));
  EXPECT_NEAR(image.pixelColor(2, 1).alpha(), 128, 1);
  EXPECT_THROW(png.LoadFromFile(Picture("notapicture.bin")), Exception);
  EXPECT_THROW(png.LoadFromFile(Picture("redblue.jpg")), Exception);
  EXPECT_EQ(png.Width(), 3);
}

TEST(GIFImageTest, DecodesWithItsTransparentColour) {
  TGIFImage gif;
  gif.LoadFromFile(Picture("close.gif"));
  ASSERT_EQ(gif.Width(), 2);
  EXPECT_EQ(gif.Image().pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(gif.Image().pixelColor(1, 0).alpha(), 0);
  EXPECT_THROW(gif.LoadFromFile(Picture("notapicture.bin")), Exception);
}

TEST(BitmapTest, TakesTheDecodedPixelsOfAPicture) {
  TJPEGImage jpeg;
  jpeg.LoadFromFile(Picture("redblue.jpg"));
  TBitmap bitmap;
  bitmap.Assign(jpeg);
  EXPECT_EQ(bitmap.Width(), 16);
  ExpectNear(bitmap.Image().pixel(13, 4), qRgb(0, 0, 255));
  bitmap.Canvas()->setPixel(0, 0, clLime);
  EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clLime) << "the bitmap's canvas draws on its pixels";
  TBitmap copy = bitmap;
  copy.Canvas()->setPixel(0, 0, clRed);
  EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clLime) << "a copy has pixels of its own";
}

TEST(BitmapTest, ResizingKeepsTheTopLeftPixels) {
  TBitmap bitmap;
  bitmap.setSize(2, 2);
  bitmap.Canvas()->setPixel(1, 1, clLime);
  bitmap.setSize(4, 3);
  EXPECT_EQ(bitmap.Canvas()->Pixels(1, 1), clLime);
  EXPECT_EQ(bitmap.Canvas()->Pixels(3, 2), clBlack);
}

TEST(ResourceStreamTest, FindsAResourceByNameAndType) {
  TResourceStream stream("TEST_PNG", "IMAGE");
  TPNGImage png;
  png.LoadFromStream(stream);
  EXPECT_EQ(png.Width(), 3);
  try {
    TResourceStream missing("NO_SUCH_PICTURE", "IMAGE");
    FAIL() << "no exception";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message, "Resource NO_SUCH_PICTURE not found");
  }
}

// Decodes a file on a worker, as the wallpaper's loader does.
class DecodeThread : public TThread {
public:
  explicit DecodeThread(std::string file) : file_(std::move(file)) {}
  ~DecodeThread() override { WaitFor(); }
  TBitmap Bitmap;

protected:
  void Execute() override {
    TJPEGImage jpeg;
    jpeg.LoadFromFile(file_);
    Bitmap.Assign(jpeg);
  }

private:
  std::string file_;
};

TEST(BitmapTest, IsFilledFromAPictureOnAWorkerThread) {
  DecodeThread worker(Picture("redblue.jpg"));
  worker.Start();
  worker.WaitFor();
  EXPECT_FALSE(worker.FatalException());
  EXPECT_EQ(worker.Bitmap.Width(), 16);
  ExpectNear(worker.Bitmap.Image().pixel(2, 2), qRgb(255, 0, 0));
}

}  // namespace
