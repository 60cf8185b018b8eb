#pragma once
// One key of the on-screen keyboard: its place and size in layout units, finger zone, colours,
// font, the two characters it types and an optional caption, and whether it is held and whether
// that press was wrong. It renders itself into a cached picture of its own, again only when its
// look changed since the last update, and copies that picture onto its keyboard's canvas. The
// pictures of its last few looks are kept, so a key going down and up shows them again without
// drawing them anew. Owned by its keyboard (TLTKeyboard), which it does not own; owns its font
// and pictures. User-interface thread only.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/color.h"
#include "toolkit/gui/bitmap.h"
#include "toolkit/gui/font.h"

class TCanvas;
class TIniOptions;
class TLTKeyboard;

// Kinds of keys: sign and letter keys type characters (Caps Lock applies to letters only);
// control and modifier keys behave alike.
constexpr uint8_t kkSign = 1, kkLetter = 2, kkControl = 3, kkModifier = 4;

class TLTKeyboardButton {
public:
  explicit TLTKeyboardButton(TLTKeyboard* owner);
  TLTKeyboardButton(const TLTKeyboardButton&) = delete;
  TLTKeyboardButton& operator=(const TLTKeyboardButton&) = delete;

  TCanvas* getCanvas() { return Bitmap->Canvas(); }
  bool IsPressed() const { return Pressed; }
  // The character the key shows and types: shifted when Shift was in force at the last update.
  char getCurrentChar() const { return LastShift ? ShiftValue : Value; }
  // The caption, else the one character; empty for a key with neither.
  std::string getText() const;

  void Press();
  void Release();
  // Renders and draws the key when its look changed since the last update.
  void Update();
  void Paint();
  void Render();
  void Draw();
  // The key's colours from a theme section; its font colour defaults to a shade of the border.
  void LoadTheme(TIniOptions* ini, const std::string& section);

  uint8_t Kind = kkSign;
  bool HomeMark = false;
  bool Visible = true;
  int X = 0, Y = 0;
  int Width = 20, Height = 20;
  int Radius = 4;
  TColor BackgroundColor = 0;
  TColor BorderColor = 0;
  // Any change marks the key for rendering.
  TFont Font;
  // Negative for extended keys.
  int ScanCode = 0;
  int Zone = 0;
  char Value = 0;
  char ShiftValue = 0;
  std::string Caption;
  TLTKeyboard* const Owner;
  // The picture of the current look. Its bottom-left pixel, the colour outside the rounded
  // outline, is left out when drawn.
  TBitmap* Bitmap;
  int LastScale = 0;
  bool Wrong = false;
  bool LastPressed = false;
  bool Pressed = false;
  bool LastShift = false;
  bool LastCtrl = false;
  bool LastAlt = false;
  bool Dirty = true;

private:
  // Everything a picture shows.
  struct Look {
    int scale = -1;
    bool pressed = false, wrong = false, homeMark = false;
    int width = 0, height = 0, radius = 0;
    TColor border = 0, background = 0;
    std::string text;
    std::string fontName;
    int fontHeight = 0, fontStyle = 0, fontCharset = 0;
    TColor fontColor = 0;
    bool operator==(const Look&) const = default;
  };
  Look CurrentLook(int scale) const;
  // The height of the text in a picture of `pixelHeight`.
  int TextHeight(int pixelHeight) const;
  bool TypesCharacters() const { return Kind == kkSign || Kind == kkLetter; }

  // The pictures of the looks last shown, the most recent last.
  std::vector<std::pair<Look, std::unique_ptr<TBitmap>>> pictures_;
};
