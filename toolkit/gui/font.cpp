#include "toolkit/gui/font.h"

#include <QFont>
#include <QFontMetrics>
#include <map>
#include <mutex>
#include <tuple>

#include "toolkit/codepage.h"
#include "toolkit/gui/fontfiles.h"
#include "toolkit/gui/qtbridge.h"

TFont& TFont::operator=(const TFont& other) {
  data_ = other.data_;
  Changed();
  return *this;
}

void TFont::setName(const std::string& name) {
  data_.name = name;
  Changed();
}

void TFont::setHeight(int height) {
  data_.height = height;
  Changed();
}

void TFont::setStyle(TFontStyles style) {
  data_.style = style;
  Changed();
}

void TFont::setColor(TColor color) {
  data_.color = color;
  Changed();
}

void TFont::setCharset(int charset) {
  data_.charset = charset;
  Changed();
}

void TFont::Changed() const {
  if (OnChange) OnChange();
}

int TFont::CodePage() const { return CodePageOfCharset(data_.charset); }

namespace {

QFont StyledFont(const std::string& name, TFontStyles style) {
  QFont font(ToQString(name));
  font.setBold(style & fsBold);
  font.setItalic(style & fsItalic);
  font.setUnderline(style & fsUnderline);
  font.setStrikeOut(style & fsStrikeOut);
  return font;
}

// The largest pixel size whose cell (ascent plus descent) is at most `cell` pixels; found once
// per family, style and cell, since the metrics are not linear in the size.
int PixelSizeForCell(const std::string& name, TFontStyles style, int cell) {
  static std::mutex mutex;
  static std::map<std::tuple<std::string, TFontStyles, int>, int> sizes;
  std::lock_guard lock(mutex);
  auto key = std::make_tuple(name, style, cell);
  if (auto found = sizes.find(key); found != sizes.end()) return found->second;

  QFont font = StyledFont(name, style);
  auto cellOf = [&font](int size) {
    font.setPixelSize(size);
    return QFontMetrics(font).height();
  };
  font.setPixelSize(1000);
  int size = std::max(1, static_cast<int>(cell * 1000.0 / QFontMetricsF(font).height()));
  while (size > 1 && cellOf(size) > cell) --size;
  while (cellOf(size + 1) <= cell) ++size;
  return sizes[key] = size;
}

}  // namespace

QFont TFont::ToQFont() const {
  RegisterSubstituteFonts();
  QFont font = StyledFont(data_.name, data_.style);
  int height = data_.height;
  if (height < 0) {
    font.setPixelSize(-height);
  } else if (height > 0) {
    font.setPixelSize(PixelSizeForCell(data_.name, data_.style, height));
  } else {
    font.setPixelSize(11);
  }
  return font;
}
