#include "views/twallpaper.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <chrono>
#include <climits>
#include <string>
#include <thread>

#include "resources/pictures/picture.h"
#include "support/faultyfilesystem.h"
#include "support/guiapplication.h"
#include "support/jpegfiles.h"
#include "support/pixels.h"
#include "support/tempdir.h"
#include "toolkit/gui/jpegimage.h"
#include "toolkit/gui/pngimage.h"
#include "toolkit/gui/scaleddraws.h"
#include "views/tasyncimageloader.h"

namespace {

const std::string kData = std::string(LOMTAK_TEST_DATA_DIR) + "/wallpaper";
const std::string kDusk = std::string(LOMTAK_DIST_DIR) + "/Environment/Wallpapers/Dusk.jpg";

// The area as a painter draws the picture stretched into the rectangle on it.
QImage PaintersDrawing(const QImage& picture, const TRect& drawn, int width, int height) {
  QImage area(width, height, QImage::Format_RGB32);
  area.fill(Qt::black);
  QPainter(&area).drawImage(QRect(drawn.Left, drawn.Top, drawn.Width(), drawn.Height()), picture);
  return area;
}

// Whether every 7th pixel of every 5th row of the two pictures agrees, and where not.
testing::AssertionResult SamePixels(const QImage& expected, const QImage& actual) {
  if (expected.size() != actual.size())
    return testing::AssertionFailure() << actual.width() << " x " << actual.height();
  for (int y = 0; y < expected.height(); y += 5)
    for (int x = y % 7; x < expected.width(); x += 7)
      if (expected.pixel(x, y) != actual.pixel(x, y))
        return testing::AssertionFailure() << "differs at (" << x << ", " << y << ")";
  return testing::AssertionSuccess();
}

TEST(WallpaperTest, APictureGrowsByTenthsToCoverTheAreaAndIsCentred) {
  struct Case {
    const char* name;
    int pictureWidth, pictureHeight, width, height;
    TRect drawn;
  } cases[] = {
      {"4:3 on 5:4 grows to 1.4", 1024, 768, 1280, 1024, Bounds(-76, -25, 1433, 1075)},
      {"exactly twice grows to 2.1", 1024, 768, 2048, 1536, Bounds(-51, -38, 2150, 1612)},
      {"a larger picture is cropped", 1600, 1200, 1280, 1024, Bounds(-160, -88, 1600, 1200)},
      {"an equal picture stays", 1920, 1200, 1920, 1200, Bounds(0, 0, 1920, 1200)},
      {"an empty picture", 0, 0, 800, 600, Bounds(400, 300, 0, 0)},
      {"a thin strip on a tall screen grows past 32-bit products", 65500, 1, 7680, 4320,
       Bounds(-141479435, 0, 282966550, 4320)},
      {"a growth past 32 bits stops at their end", 1000000, 1, 32767, 32767,
       Bounds(-1073725440, 0, INT_MAX, 32767)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRect r = TWallpaper::PictureRect(c.pictureWidth, c.pictureHeight, c.width, c.height);
    EXPECT_EQ(r.Left, c.drawn.Left);
    EXPECT_EQ(r.Top, c.drawn.Top);
    EXPECT_EQ(r.Width(), c.drawn.Width());
    EXPECT_EQ(r.Height(), c.drawn.Height());
  }
}

// A camera's photo of 34 megapixels: Qt's limit for decoded pictures is 33 at full size.
std::string Photo(const TempDir& folder) {
  const std::string photo = folder / "Photo.jpg";
  TempDir::Write(photo, EncodeJpeg(8192, 4160));
  return photo;
}

TEST(WallpaperTest, TheLoaderDecodesJpegsOfEveryKindAndRefusesTheRest) {
  TempDir folder;
  struct Case {
    const char* name;
    std::string file;
    bool loaded;
    int width;
  } cases[] = {
      {"baseline", kData + "/mixed/good.jpg", true, 64},
      {"progressive", kData + "/progressive.jpg", true, 48},
      {"CMYK", kData + "/cmyk.jpg", true, 40},
      {"a photo, at the quarter that covers the area", Photo(folder), true, 2048},
      {"not a picture", kData + "/mixed/broken.jpg", false, 0},
      {"empty", kData + "/mixed/empty.jpg", false, 0},
      {"missing", kData + "/none.jpg", false, 0},
      {"too large to decode", std::string(LOMTAK_TEST_DATA_DIR) + "/pictures/huge.jpg", false, 0},
      {"cut short", std::string(LOMTAK_TEST_DATA_DIR) + "/pictures/truncated.jpg", false, 0},
      {"no name", "", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TAsyncImageLoader loader;
    loader.Load(c.file, {800, 600}, {800, 600}, TPNGImage());
    loader.WaitFor();
    EXPECT_EQ(loader.Loaded, c.loaded);
    EXPECT_EQ(loader.Bitmap.Width(), c.width);
  }
}

// The loader hands over the wallpaper's pixels as a painter draws the decoded picture grown,
// centred and cropped, and the logo over it in the bottom-right corner: the picture in the
// rectangle the wallpaper has always drawn it in.
TEST(WallpaperTest, TheLoaderDrawsThePictureWhereTheWallpaperShowsIt) {
  struct Case {
    const char* name;
    TSize area, size;
    TRect drawn;
  } cases[] = {
      {"grown by tenths", {2048, 1536}, {2048, 1536}, Bounds(-224, -12, 2496, 1560)},
      {"decoded at seven eighths and cropped",
       {1280, 1024},
       {1280, 1024},
       Bounds(-200, -13, 1680, 1050)},
      {"the screen's decode on a wallpaper above a status line",
       {1920, 1200},
       {1920, 1176},
       Bounds(0, -12, 1920, 1200)},
  };
  TPNGImage logo;
  LoadPicture(&logo, "LOGOTYPE_PNG");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TAsyncImageLoader loader;
    loader.Load(kDusk, c.area, c.size, logo);
    loader.WaitFor();
    ASSERT_TRUE(loader.Loaded);
    const TRect drawn = TWallpaper::PictureRect(loader.Bitmap.Width(), loader.Bitmap.Height(),
                                                c.size.cx, c.size.cy);
    EXPECT_EQ(drawn.Left, c.drawn.Left);
    EXPECT_EQ(drawn.Top, c.drawn.Top);
    EXPECT_EQ(drawn.Width(), c.drawn.Width());
    EXPECT_EQ(drawn.Height(), c.drawn.Height());
    QImage expected = PaintersDrawing(loader.Bitmap.Image(), c.drawn, c.size.cx, c.size.cy);
    QPainter(&expected).drawImage(c.size.cx - logo.Width() - 10, c.size.cy - logo.Height(),
                                  logo.Image());
    EXPECT_TRUE(SamePixels(expected, loader.Shown.Image()));
  }
}

// A shown wallpaper of 800 x 600 on the pictures of a folder.
class WallpaperFolderTest : public testing::Test {
protected:
  void Open(const std::string& folder) {
    wallpaper.reset(new TWallpaper(nullptr, folder));
    wallpaper->SetBounds(0, 0, 800, 600);
    wallpaper->Show();
  }
  static int BuiltInWidth() {
    TJPEGImage builtIn;
    LoadPicture(&builtIn, "DEFAULT_WALLPAPER");
    return builtIn.Width();
  }
  TOwnedPtr<TWallpaper> wallpaper;
};

TEST_F(WallpaperFolderTest, StartsHiddenWithTheBuiltInPictureAndALoaderAtWork) {
  TWallpaper fresh(nullptr, kData + "/mixed");
  EXPECT_FALSE(fresh.Visible());
  EXPECT_EQ(fresh.Align(), alClient);
  EXPECT_EQ(fresh.Bitmap.Width(), BuiltInWidth());
  ASSERT_NE(fresh.Loader, nullptr);
  EXPECT_TRUE(fresh.Loader->Started());
  EXPECT_EQ(fresh.PlayList.getFiles().Count(), 3);
}

TEST_F(WallpaperFolderTest, NextKeepsTheLastGoodPictureAmongBrokenAndEmptyFiles) {
  Open(kData + "/mixed");
  bool seenGood = false;
  for (int i = 0; i < 40; ++i) {
    SCOPED_TRACE(i);
    wallpaper->Next();
    seenGood = seenGood || wallpaper->Bitmap.Width() == 64;
    EXPECT_EQ(wallpaper->Bitmap.Width(), seenGood ? 64 : BuiltInWidth());
    EXPECT_TRUE(wallpaper->Loader->Started());
  }
  EXPECT_TRUE(seenGood);
}

// Decoded at the smallest scale that covers the screen, or the wallpaper where it is larger, so
// a photo of any size is shown, and never enlarged.
TEST_F(WallpaperFolderTest, ShowsAPhotoOfAnySizeDecodedNoLargerThanItsAreaNeeds) {
  TempDir folder;
  Photo(folder);
  Open(folder.path());
  struct Case {
    const char* name;
    int width, height, shownWidth, shownHeight;
  } cases[] = {
      // An eighth, 1024 x 520, would not cover it.
      {"the offscreen screen of 800 x 600: a quarter", 800, 600, 2048, 1040},
      // The picture decoded ahead for the screen, at a quarter, would not cover it either.
      {"grown past the screen, as a test size may be: three eighths", 1600, 1200, 3072, 1560},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    wallpaper->SetBounds(0, 0, c.width, c.height);
    for (int i = 0; i < 2; ++i) {
      wallpaper->Next();
      EXPECT_EQ(wallpaper->Bitmap.Width(), c.shownWidth);
      EXPECT_EQ(wallpaper->Bitmap.Height(), c.shownHeight);
    }
  }
}

TEST_F(WallpaperFolderTest, AFolderWithoutPicturesKeepsTheBuiltInOne) {
  TempDir empty;
  for (const std::string& folder : {empty.path(), empty / "missing"}) {
    SCOPED_TRACE(folder);
    Open(folder);
    wallpaper->Next();
    wallpaper->Next();
    EXPECT_EQ(wallpaper->Bitmap.Width(), BuiltInWidth());
  }
}

TEST_F(WallpaperFolderTest, APaintCoversTheAreaAndPutsTheLogoInTheCorner) {
  Open(kData + "/mixed");
  wallpaper->Bitmap.setSize(100, 75);
  wallpaper->Bitmap.Canvas()->Brush()->setColor(0x00FF00);
  wallpaper->Bitmap.Canvas()->FillRect(Rect(0, 0, 100, 75));
  wallpaper->Paint();
  TPNGImage logo;
  LoadPicture(&logo, "LOGOTYPE_PNG");
  TCanvas* canvas = wallpaper->Canvas();
  for (auto [x, y] : {std::pair{0, 0}, {799, 0}, {0, 599}, {799 - logo.Width() - 10, 599}})
    EXPECT_EQ(canvas->Pixels(x, y), TColor(0x00FF00));
  // Somewhere in the logo's rectangle, 10 pixels from the right edge on the bottom edge, the
  // picture is covered.
  bool covered = false;
  for (int x = 800 - logo.Width() - 10; x < 790 && !covered; ++x)
    for (int y = 600 - logo.Height(); y < 600 && !covered; ++y)
      covered = canvas->Pixels(x, y) != TColor(0x00FF00);
  EXPECT_TRUE(covered);
  for (int y = 0; y < 600; y += 50) EXPECT_EQ(canvas->Pixels(795, y), TColor(0x00FF00));
}

// At a line's end the wallpaper copies the pixels its loader drew: the user-interface thread
// scales nothing, and the built-in picture, which no loader draws, is scaled once per size.
TEST_F(WallpaperFolderTest, NextCopiesThePictureScaledAheadAndScalesTheBuiltInOneOncePerSize) {
  TempDir pictures, empty;
  // Grown to cover the area, 640 x 480 needs scaling on 800 x 600.
  TempDir::Write(pictures / "Small.jpg", EncodeJpeg(640, 480));
  struct Case {
    const char* name;
    std::string folder;
  } cases[] = {{"a photo", pictures.path()}, {"the built-in picture", empty.path()}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open(c.folder);
    wallpaper->Next();
    for (TSize size : {TSize{800, 600}, TSize{1024, 768}}) {
      SCOPED_TRACE(size.cx);
      wallpaper->SetBounds(0, 0, size.cx, size.cy);
      wallpaper->Paint();
      const TRect drawn = TWallpaper::PictureRect(wallpaper->Bitmap.Width(),
                                                  wallpaper->Bitmap.Height(), size.cx, size.cy);
      const QImage expected =
          PaintersDrawing(wallpaper->Bitmap.Image(), drawn, size.cx, size.cy).copy(0, 0, 100, 100);
      const int64_t before = ScaledDraws();
      for (int line = 0; line < 3; ++line) {
        wallpaper->Next();
        EXPECT_EQ(ScaledDraws(), before) << "scaled at line " << line;
        EXPECT_TRUE(SamePixels(expected, wallpaper->Canvas()->Surface()->copy(0, 0, 100, 100)));
      }
    }
  }
}

// The pixels a Next replaces are freed by the next loader on its thread: freed at the line's
// end, screen-sized buffers cost it milliseconds.
TEST_F(WallpaperFolderTest, ThePictureANextReplacesIsFreedOnTheNextLoadersThread) {
  TempDir folder;
  TempDir::Write(folder / "Good.jpg", TempDir::Read(kData + "/mixed/good.jpg"));
  Open(folder.path());
  // Pixels that note the thread that frees them.
  struct TTracked {
    uchar bits[100 * 75 * 4] = {};
    std::thread::id freedOn;
  };
  auto* tracked = new TTracked;
  wallpaper->Bitmap.Assign(TPixels(QImage(
      tracked->bits, 100, 75, 400, QImage::Format_RGB32,
      [](void* info) { static_cast<TTracked*>(info)->freedOn = std::this_thread::get_id(); },
      tracked)));
  wallpaper->Paint();
  wallpaper->Next();
  wallpaper->Loader->WaitFor();
  EXPECT_NE(tracked->freedOn, std::thread::id()) << "not freed";
  EXPECT_NE(tracked->freedOn, std::this_thread::get_id());
  delete tracked;
}

// A wallpaper on a folder of one picture; each loader's read of it waits until the test lets it
// through.
class WallpaperOnAHeldReadTest : public WallpaperFolderTest {
protected:
  WallpaperOnAHeldReadTest() {
    const std::string picture = folder / "Held.jpg";
    TempDir::Write(picture, TempDir::Read(kData + "/mixed/good.jpg"));
    disk.HoldReads(picture);
    Open(folder.path());
  }
  // The wallpaper goes before the file system its loader reads through.
  ~WallpaperOnAHeldReadTest() override { wallpaper.reset(); }

  TempDir folder;
  FaultyFileSystem disk;
};

TEST_F(WallpaperOnAHeldReadTest, NextWaitsForTheRunningDecodeOnlyNeverForTheNextOne) {
  disk.LetThrough();
  wallpaper->Next();
  EXPECT_EQ(wallpaper->Bitmap.Width(), 64);
  // Next has returned while the next loader still waits for its picture.
  EXPECT_TRUE(wallpaper->Loader->Started());
  EXPECT_FALSE(wallpaper->Loader->Finished());
  disk.LetThrough();
  wallpaper->Loader->WaitFor();
  EXPECT_TRUE(wallpaper->Loader->Loaded);
}

// Laid out anew once its picture is decoded, the wallpaper draws that picture for its new size
// without reading the file again: a read would be held here until a Next that waited for it
// had come back late.
TEST_F(WallpaperOnAHeldReadTest, AResizeAfterTheDecodeDrawsThePictureWithoutReadingItAgain) {
  disk.LetThrough();
  wallpaper->Loader->WaitFor();
  wallpaper->SetBounds(0, 0, 700, 500);
  std::thread later([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    disk.LetThrough();
  });
  wallpaper->Next();
  EXPECT_EQ(disk.HeldDone(), 1) << "the file was read again";
  EXPECT_EQ(wallpaper->Bitmap.Width(), 64);
  later.join();
  disk.LetThrough();
}

// While its screen is being built the wallpaper is hidden: Next leaves the decode to go on and
// takes the picture at the first paint.
TEST_F(WallpaperOnAHeldReadTest, NextWhileHiddenWaitsForNothingAndThePaintTakesThePicture) {
  wallpaper->Hide();
  const TAsyncImageLoader* running = wallpaper->Loader.get();
  // Let through late, should Next wait for the decode after all.
  std::thread later([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    disk.LetThrough();
  });
  wallpaper->Next();
  EXPECT_EQ(wallpaper->Loader.get(), running);
  EXPECT_EQ(wallpaper->Bitmap.Width(), BuiltInWidth());
  later.join();

  wallpaper->Show();
  wallpaper->Paint();
  EXPECT_EQ(wallpaper->Bitmap.Width(), 64);
  // The next loader, held in its read.
  EXPECT_TRUE(wallpaper->Loader->Started());
  EXPECT_FALSE(wallpaper->Loader->Finished());
  disk.LetThrough();
}

// The loader's decode is under way, held in its read, when the wallpaper goes; the read is let
// through only well after a destructor that did not wait would have returned.
TEST_F(WallpaperOnAHeldReadTest, DestructionWaitsForTheRunningDecode) {
  disk.WaitUntilOneIsHeld();
  std::thread later([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    disk.LetThrough();
  });
  wallpaper.reset();
  EXPECT_EQ(disk.HeldDone(), 1);
  later.join();
}

}  // namespace
