// The built-in keyboard of TLTKeyboard: the five rows of the main key block with each key's
// signed scan code, width, finger zone, home mark, and its kind, characters and caption in the
// US layout; and the colours of the body and of each finger zone.

#include <algorithm>
#include <array>

#include "foundation/tcolorlib.h"
#include "views/tltkeyboard.h"

namespace {

struct Cell {
  int scanCode;
  int width;
  int zone;
  bool homeMark;
  char kind;  // s sign, l letter, c control, m modifier
  char value;
  char shiftValue;
  const char* caption;
};

constexpr int kRows = 5, kColumns = 14;
constexpr int kKeyHeight = 9, kKeyRadius = 2, kKeyGap = 1, kRowPitch = 10, kMargin = 3;

// Columns past a row's last key hold no key (scan code 0).
constexpr std::array<std::array<Cell, kColumns>, kRows> kTable = {{
    {{{41, 11, 1, false, 's', '`', '~', ""},
      {2, 11, 1, false, 's', '1', '!', ""},
      {3, 11, 1, false, 's', '2', '@', ""},
      {4, 11, 2, false, 's', '3', '#', ""},
      {5, 11, 3, false, 's', '4', '$', ""},
      {6, 11, 4, false, 's', '5', '%', ""},
      {7, 11, 4, false, 's', '6', '^', ""},
      {8, 11, 5, false, 's', '7', '&', ""},
      {9, 11, 6, false, 's', '8', '*', ""},
      {10, 11, 7, false, 's', '9', '(', ""},
      {11, 11, 8, false, 's', '0', ')', ""},
      {12, 11, 8, false, 's', '-', '_', ""},
      {13, 11, 8, false, 's', '=', '+', ""},
      {14, 20, 0, false, 'c', 0, 0, "Backspace"}}},
    {{{15, 17, 0, false, 'c', 0, 0, "Tab"},
      {16, 11, 1, false, 'l', 'q', 'Q', ""},
      {17, 11, 2, false, 'l', 'w', 'W', ""},
      {18, 11, 3, false, 'l', 'e', 'E', ""},
      {19, 11, 4, false, 'l', 'r', 'R', ""},
      {20, 11, 4, false, 'l', 't', 'T', ""},
      {21, 11, 5, false, 'l', 'y', 'Y', ""},
      {22, 11, 5, false, 'l', 'u', 'U', ""},
      {23, 11, 6, false, 'l', 'i', 'I', ""},
      {24, 11, 7, false, 'l', 'o', 'O', ""},
      {25, 11, 8, false, 'l', 'p', 'P', ""},
      {26, 11, 8, false, 's', '[', '{', ""},
      {27, 11, 8, false, 's', ']', '}', ""},
      {43, 14, 8, false, 's', '\\', '|', ""}}},
    {{{58, 21, 0, false, 'm', 0, 0, "Caps Lock"},
      {30, 11, 1, true, 'l', 'a', 'A', ""},
      {31, 11, 2, true, 'l', 's', 'S', ""},
      {32, 11, 3, true, 'l', 'd', 'D', ""},
      {33, 11, 4, true, 'l', 'f', 'F', ""},
      {34, 11, 4, false, 'l', 'g', 'G', ""},
      {35, 11, 5, false, 'l', 'h', 'H', ""},
      {36, 11, 5, true, 'l', 'j', 'J', ""},
      {37, 11, 6, true, 'l', 'k', 'K', ""},
      {38, 11, 7, true, 'l', 'l', 'L', ""},
      {39, 11, 8, true, 's', ';', ':', ""},
      {40, 11, 8, false, 's', '\'', '"', ""},
      {28, 22, 0, false, 'c', 0, 0, "Enter"},
      {}}},
    {{{42, 27, 0, false, 'c', 0, 0, "Shift"},
      {44, 11, 1, false, 'l', 'z', 'Z', ""},
      {45, 11, 2, false, 'l', 'x', 'X', ""},
      {46, 11, 3, false, 'l', 'c', 'C', ""},
      {47, 11, 4, false, 'l', 'v', 'V', ""},
      {48, 11, 4, false, 'l', 'b', 'B', ""},
      {49, 11, 5, false, 'l', 'n', 'N', ""},
      {50, 11, 5, false, 'l', 'm', 'M', ""},
      {51, 11, 6, false, 's', ',', '<', ""},
      {52, 11, 7, false, 's', '.', '>', ""},
      {53, 11, 8, false, 's', '/', '?', ""},
      {-54, 28, 0, false, 'm', 0, 0, "Shift"},
      {},
      {}}},
    {{{29, 13, 0, false, 'm', 0, 0, "LCtrl"},
      {-91, 13, 0, false, 'c', 0, 0, "Win"},
      {56, 13, 0, false, 'm', 0, 0, "Alt"},
      {57, 78, 9, true, 's', ' ', ' ', "Space"},
      {-56, 13, 0, false, 'm', 0, 0, "Alt"},
      {-92, 13, 0, false, 'c', 0, 0, "Win"},
      {-93, 13, 0, false, 'c', 0, 0, "Menu"},
      {-29, 13, 0, false, 'm', 0, 0, "RCtrl"},
      {},
      {},
      {},
      {},
      {},
      {}}},
}};

// Zone tints: a key's border is 0x808080 less four tints, its fill 0xE2E2E2 less three.
constexpr std::array<TColor, 10> kZoneTints = {0x000000, 0x111100, 0x110000, 0x110011, 0x000011,
                                               0x001100, 0x111100, 0x110000, 0x110011, 0x001111};

uint8_t KeyKindOfLetter(char kind) {
  switch (kind) {
    case 'l': return kkLetter;
    case 'c': return kkControl;
    case 'm': return kkModifier;
    default: return kkSign;
  }
}

}  // namespace

void TLTKeyboard::SetDefaultKeyboard() {
  MarginX = kMargin;
  MarginY = kMargin;
  Clear();
  UnitWidth = 0;
  UnitHeight = 0;
  for (int row = 0; row < kRows; ++row) {
    int x = 0;
    for (const Cell& cell : kTable[row]) {
      if (cell.scanCode == 0) continue;
      auto button = std::make_unique<TLTKeyboardButton>(this);
      button->ScanCode = cell.scanCode;
      button->Zone = cell.zone;
      button->HomeMark = cell.homeMark;
      button->X = x;
      button->Y = kRowPitch * row;
      button->Width = cell.width;
      button->Height = kKeyHeight;
      button->Radius = kKeyRadius;
      UnitWidth = std::max(UnitWidth, x + cell.width);
      UnitHeight = std::max(UnitHeight, button->Y + kKeyHeight);
      x += cell.width + kKeyGap;
      Buttons.push_back(std::move(button));
    }
  }
  UnitWidth += 2 * MarginX;
  UnitHeight += 2 * MarginY;
  ResetSize();
}

void TLTKeyboard::SetDefaultLayout() {
  for (const auto& button : Buttons) {
    button->Font.setCharset(ANSI_CHARSET);
    for (const auto& row : kTable) {
      for (const Cell& cell : row) {
        if (cell.scanCode == 0 || cell.scanCode != button->ScanCode) continue;
        button->Kind = KeyKindOfLetter(cell.kind);
        button->Caption = cell.caption;
        button->Value = cell.value;
        button->ShiftValue = cell.shiftValue;
        button->Dirty = true;
      }
    }
  }
}

void TLTKeyboard::SetDefaultPalette() {
  BorderColor = 0xC0C0C0;
  BackgroundColor = 0xFFFFFF;
  for (const auto& button : Buttons) {
    TColor tint = kZoneTints[std::clamp(button->Zone, 0, 9)];
    button->BorderColor = 0x808080 - 4 * tint;
    button->BackgroundColor = 0xE2E2E2 - 3 * tint;
    button->Font.Assign(*Font());
    button->Font.setStyle(0);
    button->Font.setColor(DarkerColor(button->BorderColor, 40));
    button->Dirty = true;
  }
}
