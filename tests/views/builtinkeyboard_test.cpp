#include <gtest/gtest.h>

#include <QImage>

#include <map>

#include "keyboardfixture.h"
#include "support/goldenimage.h"
#include "toolkit/gui/canvas.h"

namespace {

TEST_F(KeyboardTest, TheBuiltInKeyboardHasTheMainKeyBlockInFiveRows) {
  EXPECT_EQ(keyboard.UnitWidth, 182);
  EXPECT_EQ(keyboard.UnitHeight, 55);
  EXPECT_EQ(keyboard.Width(), 546) << "at scale 3";
  EXPECT_EQ(keyboard.Height(), 165);
  std::map<int, int> keysPerRow, rowEnds;
  for (const auto& button : keyboard.Buttons) {
    ++keysPerRow[button->Y];
    rowEnds[button->Y] = std::max(rowEnds[button->Y], button->X + button->Width);
    EXPECT_EQ(button->Height, 9);
    EXPECT_EQ(button->Radius, 2);
  }
  EXPECT_EQ(keyboard.Buttons.size(), 61u);
  EXPECT_EQ(keysPerRow, (std::map<int, int>{{0, 14}, {10, 14}, {20, 13}, {30, 12}, {40, 8}}));
  for (auto [y, end] : rowEnds) EXPECT_EQ(end, 176) << "row at " << y;
  TLTKeyboardButton& space = Button(57);
  EXPECT_EQ(space.X, 42);
  EXPECT_EQ(space.Width, 78);
  EXPECT_EQ(space.Y, 40);
  EXPECT_EQ(space.Caption, "Space");
  EXPECT_EQ(space.Zone, 9);
}

TEST_F(KeyboardTest, ZonesGiveTheKeysTheirColoursAndTheHomeRowItsMarks) {
  struct Case {
    int scanCode, zone;
    TColor border, background;
    bool homeMark;
  } cases[] = {
      {14, 0, 0x808080, 0xE2E2E2, false},  // Backspace
      {30, 1, 0x3C3C80, 0xAFAFE2, true},   // a: tint 0x111100
      {17, 2, 0x3C8080, 0xAFE2E2, false},  // w: 0x110000
      {32, 3, 0x3C803C, 0xAFE2AF, true},   // d: 0x110011
      {34, 4, 0x80803C, 0xE2E2AF, false},  // g: 0x000011
      {36, 5, 0x803C80, 0xE2AFE2, true},   // j: 0x001100
      {57, 9, 0x803C3C, 0xE2AFAF, true},   // space: 0x001111
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scanCode);
    TLTKeyboardButton& button = Button(c.scanCode);
    EXPECT_EQ(button.Zone, c.zone);
    EXPECT_EQ(button.BorderColor, c.border);
    EXPECT_EQ(button.BackgroundColor, c.background);
    EXPECT_EQ(button.HomeMark, c.homeMark);
    EXPECT_EQ(button.Font.Name(), "Tahoma");
    EXPECT_EQ(button.Font.Charset(), keyboard.Font()->Charset()) << "a copy of the keyboard's font";
  }
}

// Every key stands at its place: its outline's top, left and right edges are in the key's
// border colour (the sides looked at above the text), and the gap of one unit to its left
// shows the body.
TEST_F(KeyboardTest, KeysAreDrawnAtTheirPlaceAtEveryScale) {
  for (int scale : {2, 3, 6}) {
    SCOPED_TRACE(scale);
    keyboard.SetScale(scale);
    keyboard.RenderView();
    TCanvas* canvas = keyboard.getCanvas();
    for (const auto& button : keyboard.Buttons) {
      SCOPED_TRACE(button->ScanCode);
      int left = (keyboard.MarginX + button->X) * scale;
      int top = (keyboard.MarginY + button->Y) * scale;
      int middle = top + button->Height * scale / 5;
      EXPECT_EQ(canvas->Pixels(left + button->Width * scale / 2, top), button->BorderColor);
      EXPECT_EQ(canvas->Pixels(left, middle), button->BorderColor);
      EXPECT_EQ(canvas->Pixels(left + button->Width * scale - 1, middle), button->BorderColor);
      EXPECT_EQ(canvas->Pixels(left - 1, middle), keyboard.BackgroundColor);
    }
    EXPECT_EQ(canvas->Pixels(keyboard.Width() / 2, 0), keyboard.BorderColor);
    EXPECT_EQ(canvas->Pixels(keyboard.Width() / 2, 3), keyboard.BackgroundColor)
        << "the body's band is 3 pixels wide";
  }
}

// Text is antialiased: each channel may differ this much from the golden picture.
constexpr int kTextTolerance = 64;

TEST_F(KeyboardTest, EachStateLooksAsItsGoldenPicture) {
  struct Case {
    const char* name;
    int scale;
    std::vector<int> pressed;
    char expected;
  } cases[] = {
      {"released-scale3", 3, {}, 0},
      {"released-scale6", 6, {}, 0},
      {"shift-scale3", 3, {42}, 0},
      {"right-and-wrong-scale6", 6, {30, 31}, 'a'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    keyboard.setCurrentChar(c.expected);
    keyboard.SetScale(c.scale);
    for (int scanCode : c.pressed) Key(scanCode, true);
    keyboard.RenderView();
    EXPECT_TRUE(
        MatchesGolden(*keyboard.getCanvas()->Surface(), "keyboard", c.name, kTextTolerance));
    for (int scanCode : c.pressed) Key(scanCode, false);
  }
}

}  // namespace

namespace {

TEST_F(KeyboardTest, TheCornersOutsideTheBodyShowWhatLiesBeneathAtEveryScale) {
  for (int scale : {3, 6, 2}) {
    SCOPED_TRACE(scale);
    keyboard.SetScale(scale);
    const QImage& surface = *keyboard.getCanvas()->Surface();
    EXPECT_EQ(qAlpha(surface.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(surface.pixel(surface.width() - 1, surface.height() - 1)), 0);
  }
}

}  // namespace
