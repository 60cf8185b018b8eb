#pragma once
// A font as the class library describes it. Height is in pixels: positive gives the character
// cell (ascent plus descent), negative the character height without internal leading. The
// character set picks the code page in which the font's 8-bit texts are read. A value type;
// any thread (worker threads draw text on their own bitmaps).

#include <functional>
#include <string>

#include "toolkit/colors.h"
#include "toolkit/gui/object.h"

class QFont;

using TFontStyles = int;
constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

constexpr int ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, RUSSIAN_CHARSET = 204;

class TFont : public TObject {
public:
  TFont() = default;
  TFont(const TFont& other) : TObject(), data_(other.data_) {}
  // Copies name, height, style, colour and character set; the handler stays.
  TFont& operator=(const TFont& other);
  void Assign(const TFont& other) { *this = other; }

  // The family, in the system code page whatever the character set.
  const std::string& Name() const { return data_.name; }
  void setName(const std::string& name);
  int Height() const { return data_.height; }
  void setHeight(int height);
  TFontStyles Style() const { return data_.style; }
  void setStyle(TFontStyles style);
  TColor Color() const { return data_.color; }
  void setColor(TColor color);
  int Charset() const { return data_.charset; }
  void setCharset(int charset);

  // The code page of the character set (toolkit/codepage.h).
  int CodePage() const;
  // The Qt font of the same family, pixel height and style.
  QFont ToQFont() const;

  // Raised after every change; the owner of the font repaints.
  std::function<void()> OnChange;

private:
  void Changed() const;

  struct Data {
    std::string name = "Tahoma";
    int height = -11;
    TFontStyles style = 0;
    TColor color = clWindowText;
    int charset = DEFAULT_CHARSET;
  } data_;
};
