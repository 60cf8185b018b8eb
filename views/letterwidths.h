#pragma once
// The widths of single characters, and of one sample text, in a font at each height, each
// measured once: a view that fits its font line after line through the same heights measures a
// character at a height only the first time it meets it. The table follows one family, style
// and character set at a time and forgets the widths of another. User-interface thread only.

#include <array>
#include <functional>
#include <string>
#include <unordered_map>

#include "toolkit/gui/font.h"

class TLetterWidths {
public:
  // The width of a text in a font; by default the canvas's text width.
  using TMeasurer = std::function<int(const TFont& font, const std::string& text)>;

  explicit TLetterWidths(std::string sample);
  // Forgets every width measured so far.
  void setMeasurer(TMeasurer measurer);

  int Letter(const TFont& font, unsigned char character);
  int Sample(const TFont& font);
  // The sum of the text's letters: the width of a text drawn letter by letter, where no pair
  // of letters kerns.
  int Text(const TFont& font, const std::string& text);

private:
  struct Widths {
    Widths() { letters.fill(-1); }
    int sample = -1;
    std::array<int, 256> letters;
  };
  Widths& AtHeight(const TFont& font);
  int Letter(const TFont& font, Widths& widths, unsigned char character);
  int Measure(const TFont& font, const std::string& text) const;

  std::string sample_;
  TMeasurer measurer_;
  std::string name_;
  TFontStyles style_ = 0;
  int charset_ = 0;
  std::unordered_map<int, Widths> heights_;
};
