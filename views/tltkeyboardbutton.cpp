#include "views/tltkeyboardbutton.h"

#include <algorithm>

#include "foundation/tcolorlib.h"
#include "foundation/tinioptions.h"
#include "toolkit/gui/canvas.h"
#include "views/raisedbox.h"
#include "views/tltkeyboard.h"

namespace {

// Fills the picture first and stays outside the key's rounded outline: the transparent colour.
constexpr TColor kOutsideColor = 0xD91605;
constexpr TColor kWrongColor = 0x0000FF;
constexpr TColor kWhite = 0xFFFFFF;
constexpr int kHomeMarkCorner = 10;
// Released, pressed and wrong, with or without Shift: enough for the keys a typist holds.
constexpr size_t kKeptLooks = 4;

}  // namespace

TLTKeyboardButton::TLTKeyboardButton(TLTKeyboard* owner) : Owner(owner) {
  Font.OnChange = [this] { Dirty = true; };
  // A picture of no look until the first rendering.
  pictures_.emplace_back(Look(), std::make_unique<TBitmap>());
  Bitmap = pictures_.back().second.get();
  Bitmap->setTransparent(true);
}

std::string TLTKeyboardButton::getText() const {
  if (!Caption.empty()) return Caption;
  char character = getCurrentChar();
  return character ? std::string(1, character) : std::string();
}

void TLTKeyboardButton::Press() {
  Pressed = true;
  Dirty = true;
  if (TypesCharacters()) {
    Wrong = getCurrentChar() != Owner->getCurrentChar();
    Update();
  } else if (Kind == kkControl || Kind == kkModifier) {
    Wrong = false;
  }
}

void TLTKeyboardButton::Release() {
  Pressed = false;
  Wrong = false;
  Dirty = true;
  if (Kind != kkControl && Kind != kkModifier) Update();
}

void TLTKeyboardButton::Update() {
  int scale = Owner->Scale();
  bool shift = Owner->IsShiftPressed();
  if (Kind == kkLetter) shift = shift != Owner->IsCapsLockOn();
  bool ctrl = Owner->IsCtrlPressed(), alt = Owner->IsAltPressed();
  Dirty = Dirty || scale != LastScale || Pressed != LastPressed || shift != LastShift ||
          ctrl != LastCtrl || alt != LastAlt;
  LastScale = scale;
  LastPressed = Pressed;
  LastShift = shift;
  LastCtrl = ctrl;
  LastAlt = alt;
  if (Dirty) {
    Render();
    Draw();
  }
  Dirty = false;
}

void TLTKeyboardButton::Paint() {
  Update();
  Draw();
}

int TLTKeyboardButton::TextHeight(int pixelHeight) const {
  return Caption.empty() ? pixelHeight - 4 : pixelHeight / 2;
}

TLTKeyboardButton::Look TLTKeyboardButton::CurrentLook(int scale) const {
  return {.scale = scale,
          .pressed = Pressed,
          .wrong = Wrong,
          .homeMark = HomeMark,
          .width = Width,
          .height = Height,
          .radius = Radius,
          .border = BorderColor,
          .background = BackgroundColor,
          .text = getText(),
          .fontName = Font.Name(),
          .fontHeight = TextHeight(Height * scale),
          .fontStyle = Font.Style(),
          .fontCharset = Font.Charset(),
          .fontColor = Font.Color()};
}

void TLTKeyboardButton::Render() {
  if (!Visible) return;
  int s = Owner->Scale();
  Look look = CurrentLook(s);
  auto seen = std::find_if(pictures_.begin(), pictures_.end(),
                           [&look](const auto& picture) { return picture.first == look; });
  if (seen != pictures_.end()) {
    // The newest last: the look least recently shown goes first.
    std::rotate(seen, seen + 1, pictures_.end());
    Bitmap = pictures_.back().second.get();
    return;
  }
  if (pictures_.size() == kKeptLooks) pictures_.erase(pictures_.begin());
  pictures_.emplace_back(look, std::make_unique<TBitmap>());
  Bitmap = pictures_.back().second.get();
  Bitmap->setTransparent(true);

  int w = Width * s, h = Height * s, r = Radius * s;
  Bitmap->setSize(w, h);
  TCanvas* canvas = Bitmap->Canvas();
  TColor border = BorderColor;
  TColor fill = !Pressed ? BackgroundColor
                : Wrong  ? kWrongColor
                         : LighterColor(BackgroundColor, 50);

  canvas->Brush()->setColor(kOutsideColor);
  canvas->FillRect(Rect(0, 0, w, h));
  canvas->Pen()->setColor(border);
  if (Pressed) {
    canvas->Brush()->setColor(fill);
    canvas->RoundRect(0, 0, w, h, r, r);
  } else {
    DrawRaisedBox(canvas, w, h, r, border, fill);
  }

  if (HomeMark) {
    int m = (Height * s) / 5;
    canvas->Brush()->setColor(kWhite);
    canvas->FillRect(Rect(m, m, w - m, h - m));
    canvas->Pen()->setColor(fill);
    canvas->Brush()->setColor(fill);
    canvas->RoundRect(m, m, w - m, h - m, kHomeMarkCorner, kHomeMarkCorner);
    canvas->FillRect(Rect(m + 2, m + 2, w - m - 2, h - m - 2));
  }

  Font.setHeight(TextHeight(h));
  canvas->Font()->Assign(Font);
  if (Wrong) canvas->Font()->setColor(kWhite);
  std::string text = getText();
  int x = (w - canvas->TextWidth(text)) / 2, y = (h - canvas->TextHeight(text)) / 2;
  if (Pressed) ++x, ++y;
  // The brush still holds the fill: the text's background.
  canvas->Brush()->setColor(fill);
  canvas->TextOut(x, y, text);
}

void TLTKeyboardButton::Draw() {
  if (!Visible || !Owner->Visible()) return;
  Owner->getCanvas()->Draw((Owner->MarginX + X) * LastScale, (Owner->MarginY + Y) * LastScale,
                           Bitmap);
}

void TLTKeyboardButton::LoadTheme(TIniOptions* ini, const std::string& section) {
  BorderColor = ini->ReadColor(section, "BorderColor", BorderColor);
  BackgroundColor = ini->ReadColor(section, "BackgroundColor", BackgroundColor);
  Font.setColor(ini->ReadColor(section, "Font.Color", DarkerColor(BorderColor, 40)));
  Dirty = true;
}
