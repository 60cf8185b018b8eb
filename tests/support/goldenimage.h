#pragma once
// Compares a rendered picture with its golden PNG, tests/data/<view>/<case>.png. Shapes must
// match exactly; where text is antialiased a test allows each channel to differ by a stated
// tolerance. On a mismatch the actual picture and a diff (differing pixels in red on grey) are
// written to golden-mismatch/<view>/ in the test's working folder, inside the build. Running
// the tests with LOMTAK_UPDATE_GOLDEN=1 writes the pictures as the new goldens instead: a
// deliberate step, never a side effect of an ordinary run.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

inline testing::AssertionResult MatchesGolden(const QImage& actual, const std::string& view,
                                              const std::string& name, int tolerance = 0) {
  namespace fs = std::filesystem;
  const std::string golden = std::string(LOMTAK_TEST_DATA_DIR) + "/" + view + "/" + name + ".png";
  const QImage picture = actual.convertToFormat(QImage::Format_RGB32);
  if (const char* update = std::getenv("LOMTAK_UPDATE_GOLDEN"); update && *update == '1') {
    fs::create_directories(fs::path(golden).parent_path());
    if (!picture.save(QString::fromStdString(golden)))
      return testing::AssertionFailure() << "cannot write " << golden;
    return testing::AssertionSuccess() << "written " << golden;
  }
  QImage expected(QString::fromStdString(golden));
  if (expected.isNull()) return testing::AssertionFailure() << "no golden picture " << golden;
  expected = expected.convertToFormat(QImage::Format_RGB32);

  int differing = 0, worst = 0;
  QImage diff(picture.size(), QImage::Format_RGB32);
  if (expected.size() == picture.size()) {
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        QColor a = picture.pixelColor(x, y), e = expected.pixelColor(x, y);
        int delta = std::max({std::abs(a.red() - e.red()), std::abs(a.green() - e.green()),
                              std::abs(a.blue() - e.blue())});
        worst = std::max(worst, delta);
        if (delta > tolerance) ++differing;
        int grey = qGray(e.rgb()) / 2 + 64;
        diff.setPixelColor(x, y, delta > tolerance ? QColor(255, 0, 0) : QColor(grey, grey, grey));
      }
    }
    if (differing == 0) return testing::AssertionSuccess();
  }
  const fs::path out = fs::current_path() / "golden-mismatch" / view;
  fs::create_directories(out);
  picture.save(QString::fromStdString((out / (name + ".png")).string()));
  if (expected.size() == picture.size())
    diff.save(QString::fromStdString((out / (name + ".diff.png")).string()));
  auto failure = testing::AssertionFailure() << name << ": ";
  if (expected.size() != picture.size())
    return failure << "size " << picture.width() << "x" << picture.height() << ", golden "
                   << expected.width() << "x" << expected.height() << "; actual in " << out;
  return failure << differing << " pixels differ by more than " << tolerance << " (worst " << worst
                 << "); actual and diff in " << out;
}
