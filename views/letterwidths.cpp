#include "views/letterwidths.h"

#include <utility>

#include "toolkit/gui/canvas.h"

TLetterWidths::TLetterWidths(std::string sample) : sample_(std::move(sample)) {}

void TLetterWidths::setMeasurer(TMeasurer measurer) {
  measurer_ = std::move(measurer);
  heights_.clear();
}

TLetterWidths::Widths& TLetterWidths::AtHeight(const TFont& font) {
  if (font.Name() != name_ || font.Style() != style_ || font.Charset() != charset_) {
    heights_.clear();
    name_ = font.Name();
    style_ = font.Style();
    charset_ = font.Charset();
  }
  return heights_[font.Height()];
}

int TLetterWidths::Measure(const TFont& font, const std::string& text) const {
  if (measurer_) return measurer_(font, text);
  TCanvas canvas(nullptr);
  canvas.Font()->Assign(font);
  return canvas.TextWidth(text);
}

int TLetterWidths::Letter(const TFont& font, unsigned char character) {
  return Letter(font, AtHeight(font), character);
}

int TLetterWidths::Letter(const TFont& font, Widths& widths, unsigned char character) {
  int& width = widths.letters[character];
  if (width < 0) width = Measure(font, std::string(1, static_cast<char>(character)));
  return width;
}

int TLetterWidths::Sample(const TFont& font) {
  int& width = AtHeight(font).sample;
  if (width < 0) width = Measure(font, sample_);
  return width;
}

int TLetterWidths::Text(const TFont& font, const std::string& text) {
  Widths& widths = AtHeight(font);
  int width = 0;
  for (unsigned char character : text) width += Letter(font, widths, character);
  return width;
}
