#include "views/tltkeyboardbutton.h"

#include <gtest/gtest.h>

#include "foundation/tcolorlib.h"
#include "foundation/tinioptions.h"
#include "keyboardfixture.h"
#include "support/tempdir.h"
#include "toolkit/gui/canvas.h"

namespace {

constexpr int kA = 30, kS = 31;

class KeyboardButtonTest : public KeyboardTest {
protected:
  // The key's fill as the keyboard shows it: inside its outline, left of its text.
  TColor ShownFill(int scanCode) {
    TLTKeyboardButton& button = Button(scanCode);
    int scale = keyboard.Scale();
    return keyboard.getCanvas()->Pixels(
        (keyboard.MarginX + button.X) * scale + 3,
        (keyboard.MarginY + button.Y) * scale + button.Height * scale / 2);
  }
};

TEST_F(KeyboardButtonTest, AKeyShowsTheLookOfItsStateAlsoWhenItShowedItBefore) {
  keyboard.RenderView();
  TColor background = Button(kS).BackgroundColor;
  keyboard.setCurrentChar('a');
  struct Step {
    const char* name;
    bool down;
    char expected;
    TColor fill;
  } steps[] = {
      {"wrong", true, 'a', 0x0000FF},
      {"released", false, 'a', background},
      {"right", true, 's', LighterColor(background, 50)},
      {"released again", false, 's', background},
      {"wrong again", true, 'a', 0x0000FF},
      {"released once more", false, 'a', background},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    keyboard.setCurrentChar(step.expected);
    Key(kS, step.down);
    EXPECT_EQ(ShownFill(kS), step.fill);
  }

  TempDir folder;
  TIniOptions theme(folder / "theme.ini", false);
  TempDir::Write(theme.FileName, "[Keys.Button.Zone2]\r\nBackgroundColor=#102030\r\n");
  keyboard.LoadTheme(&theme, "Keys");
  EXPECT_EQ(ShownFill(kS), 0x302010) << "a new colour is a new look";
  EXPECT_EQ(ShownFill(kA), Button(kA).BackgroundColor);
}

TEST_F(KeyboardButtonTest, ACaptionIsHalfTheKeysHeightACharacterAllOfItButFour) {
  keyboard.SetScale(4);
  keyboard.UpdateAllButtons();
  EXPECT_EQ(Button(14).Font.Height(), 9 * 4 / 2) << "Backspace";
  EXPECT_EQ(Button(kA).Font.Height(), 9 * 4 - 4);
}

}  // namespace
