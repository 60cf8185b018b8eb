#include "views/tltkeyboard.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>
#include <memory>
#include <vector>

#include "foundation/tinioptions.h"
#include "keyboardfixture.h"
#include "support/tempdir.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/panel.h"

namespace {

constexpr int kLeftShift = 42, kRightShift = -54, kA = 30, kS = 31, kOne = 2, kSlash = 53,
              kSpace = 57, kBackspace = 14, kLeftCtrl = 29;

struct CharacterCase {
  const char* name;
  int shiftKey;  // 0 for none
  bool capsLock;
  int scanCode;
  char expected;
};

TEST_F(KeyboardTest, KeysTypeTheirCharacterForShiftAndCapsLock) {
  const CharacterCase cases[] = {
      {"letter", 0, false, kA, 'a'},
      {"letter with Shift", kLeftShift, false, kA, 'A'},
      {"letter with right Shift", kRightShift, false, kA, 'A'},
      {"letter with Caps Lock", 0, true, kA, 'A'},
      {"letter with Caps Lock and Shift", kLeftShift, true, kA, 'a'},
      {"letter with Caps Lock and right Shift", kRightShift, true, kA, 'a'},
      {"sign", 0, false, kOne, '1'},
      {"sign with Shift", kLeftShift, false, kOne, '!'},
      {"sign with right Shift", kRightShift, false, kSlash, '?'},
      {"sign with Caps Lock", 0, true, kOne, '1'},
      {"sign with Caps Lock and Shift", kLeftShift, true, kOne, '!'},
      {"space with Shift", kLeftShift, false, kSpace, ' '},
      {"a key without a character", 0, false, kBackspace, 0},
  };
  for (const CharacterCase& c : cases) {
    SCOPED_TRACE(c.name);
    held.CapsLock = c.capsLock;
    if (c.shiftKey) Press(c.shiftKey);
    EXPECT_EQ(Press(c.scanCode), c.expected);
    Release(c.scanCode);
    EXPECT_EQ(typed.back().character, c.expected) << "the release types the same character";
    if (c.shiftKey) Release(c.shiftKey);
  }
}

TEST_F(KeyboardTest, AKeyOtherThanTheExpectedOneIsMarkedWrongUntilReleased) {
  keyboard.setCurrentChar('a');
  Press(kS);
  EXPECT_TRUE(Button(kS).Wrong);
  Release(kS);
  EXPECT_FALSE(Button(kS).Wrong);

  Press(kA);
  EXPECT_FALSE(Button(kA).Wrong);
  Release(kA);

  Press(kBackspace);
  Press(kLeftCtrl);
  EXPECT_FALSE(Button(kBackspace).Wrong) << "control and modifier keys are never wrong";
  EXPECT_FALSE(Button(kLeftCtrl).Wrong);
  Release(kBackspace);
  Release(kLeftCtrl);

  keyboard.setCurrentChar('A');
  Press(kLeftShift);
  Press(kA);
  EXPECT_FALSE(Button(kA).Wrong) << "judged by the character the key shows with Shift";
  Release(kA);
  Release(kLeftShift);

  keyboard.setCurrentChar(0);
  Press(kA);
  EXPECT_TRUE(Button(kA).Wrong) << "at the end of the line every character is wrong";
}

TEST_F(KeyboardTest, WhileDisabledNoKeyLightsAndEveryKeyPasses) {
  keyboard.setEnabled(false);
  answer = false;
  EXPECT_TRUE(Key(kA, true));
  EXPECT_FALSE(Button(kA).IsPressed());
  EXPECT_TRUE(typed.empty());
}

TEST_F(KeyboardTest, AShiftReleasedWhileDisabledStaysInForce) {
  Press(kLeftShift);
  keyboard.setEnabled(false);
  Release(kLeftShift);
  keyboard.setEnabled(true);
  EXPECT_TRUE(keyboard.IsShiftPressed());
  EXPECT_EQ(Press(kA), 'A');
}

TEST_F(KeyboardTest, ReleasingTheKeysDrawsThemUpAndTypesNothing) {
  keyboard.setCurrentChar('a');
  for (int scanCode : {kLeftShift, kLeftCtrl, kS}) Press(scanCode);
  ASSERT_TRUE(Button(kS).Wrong);
  const size_t events = typed.size();
  keyboard.ReleaseKeys();
  EXPECT_EQ(typed.size(), events) << "no key event";
  for (int scanCode : {kLeftShift, kLeftCtrl, kS}) {
    SCOPED_TRACE(scanCode);
    EXPECT_FALSE(Button(scanCode).IsPressed());
    EXPECT_FALSE(Button(scanCode).Wrong);
  }
  EXPECT_FALSE(keyboard.IsShiftPressed());
  EXPECT_EQ(Button(kA).getText(), "a") << "the letters show unshifted at once";
  EXPECT_EQ(Press(kA), 'a');
}

TEST_F(KeyboardTest, TheHandlersAnswerDecidesAndAnUnknownKeyTypesNothing) {
  answer = false;
  EXPECT_FALSE(Key(kA, true));
  answer = true;
  EXPECT_TRUE(Key(100, true));
  EXPECT_EQ(typed.back().scanCode, 100);
  EXPECT_EQ(typed.back().character, 0);
  keyboard.OnKeyboard = nullptr;
  EXPECT_TRUE(Key(kA, false)) << "without a handler every key passes";
}

TEST_F(KeyboardTest, StretchTakesTheLargestWholeScaleThatFits) {
  struct Case {
    int width, height, scale;
  } cases[] = {{1200, 400, 6},   {546, 165, 3}, {545, 165, 2},
               {1920, 1200, 10}, {181, 55, 0},  {-5, 100, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    keyboard.StrechToSize(c.width, c.height);
    EXPECT_EQ(keyboard.Scale(), c.scale);
    EXPECT_EQ(keyboard.Width(), 182 * c.scale);
    EXPECT_EQ(keyboard.Height(), 55 * c.scale);
  }
}

TEST_F(KeyboardTest, AThemeColoursTheBodyAndEachZoneAndFallsBackToFixedDefaults) {
  TempDir folder;
  TIniOptions theme(folder / "theme.ini", false);
  TempDir::Write(theme.FileName,
                 "[Session.Keyboard]\r\nBorderColor=#102030\r\nBackgroundColor=#405060\r\n"
                 "[Session.Keyboard.Button.Zone1]\r\nBorderColor=#FF0000\r\n"
                 "BackgroundColor=#00FF00\r\nFont.Color=#0000FF\r\n"
                 "[Session.Keyboard.Button.Zone2]\r\nBorderColor=#646464\r\n");
  keyboard.LoadTheme(&theme, "Session.Keyboard");
  EXPECT_EQ(keyboard.BorderColor, 0x302010);
  EXPECT_EQ(keyboard.BackgroundColor, 0x605040);
  TLTKeyboardButton& zone1 = Button(16);  // q
  EXPECT_EQ(zone1.BorderColor, 0x0000FF);
  EXPECT_EQ(zone1.BackgroundColor, 0x00FF00);
  EXPECT_EQ(zone1.Font.Color(), 0xFF0000);
  TLTKeyboardButton& zone2 = Button(17);  // w
  EXPECT_EQ(zone2.BorderColor, 0x646464);
  EXPECT_EQ(zone2.Font.Color(), 0x3C3C3C) << "a shade of the new border";
  TLTKeyboardButton& zone0 = Button(kBackspace);
  EXPECT_EQ(zone0.BorderColor, 0x808080) << "a zone the theme leaves keeps its colours";

  TempDir::Write(theme.FileName, "[Other]\r\n");
  keyboard.LoadTheme(&theme, "Session.Keyboard");
  EXPECT_EQ(keyboard.BorderColor, 0xC0C0C0);
  EXPECT_EQ(keyboard.BackgroundColor, 0xFFFFFF);
}

TEST_F(KeyboardTest, StateKeepsVisibilityAndTheFontName) {
  TempDir folder;
  TIniOptions profile(folder / "Profile.ini", true);
  keyboard.setName("Keyboard");
  TempDir::Write(
      profile.FileName,
      "[SessionForm.Keyboard]\r\nKeyboard.Visible=0\r\nKeyboard.Font.Name=Arial Narrow\r\n");
  keyboard.LoadState(&profile, "SessionForm.Keyboard");
  EXPECT_FALSE(keyboard.Visible());
  EXPECT_EQ(keyboard.Font()->Name(), "Arial Narrow");
  EXPECT_EQ(Button(kA).Font.Name(), "Arial Narrow");
  EXPECT_TRUE(Button(kA).Dirty) << "the new font shows at the next update";

  keyboard.Show();
  keyboard.SaveState(&profile, "SessionForm.Keyboard");
  EXPECT_TRUE(profile.ReadBool("SessionForm.Keyboard", "Keyboard.Visible", false));
}

TEST_F(KeyboardTest, CtrlAndAltRenderEveryKeyAgainWithoutChangingItsPicture) {
  keyboard.UpdateAllButtons();
  std::vector<QImage> before;
  for (const auto& button : keyboard.Buttons) before.push_back(button->Bitmap->Image());
  held.Ctrl = true;
  held.Alt = true;
  keyboard.UpdateAllButtons();
  for (size_t i = 0; i < keyboard.Buttons.size(); ++i) {
    SCOPED_TRACE(keyboard.Buttons[i]->ScanCode);
    EXPECT_TRUE(keyboard.Buttons[i]->LastCtrl && keyboard.Buttons[i]->LastAlt);
    EXPECT_EQ(keyboard.Buttons[i]->Bitmap->Image(), before[i]);
  }
}

}  // namespace

namespace {

// The owner deletes and lists the keyboard, the parent shows it: a window's keyboard may show on
// its panel, and a panel's keyboard nowhere yet.
TEST(KeyboardPlacement, TheOwnerKeepsTheKeyboardAndTheParentShowsIt) {
  TForm window(nullptr);
  auto* panel = NewControl<TPanel>(&window, &window, "Panel", 0, 0, 200, 100);
  const struct {
    const char* name;
    TComponent* owner;
    TWinControl* parent;
  } cases[] = {
      {"OwnedByTheWindowShownOnThePanel", &window, panel},
      {"OwnedByThePanelShownNowhere", panel, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto* keyboard = new TLTKeyboard(c.owner, c.parent);
    EXPECT_EQ(keyboard->Owner(), c.owner);
    EXPECT_EQ(c.owner->Components(c.owner->ComponentCount() - 1), keyboard);
    EXPECT_EQ(keyboard->Parent(), c.parent);
  }
}

// Key events through the window system, to a window of the program.
class KeyboardHookTest : public testing::Test {
protected:
  KeyboardHookTest() { window.Show(); }

  void PressA() {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 38, 0, 0, "a");
    QCoreApplication::sendEvent(window.Handle()->windowHandle(), &press);
  }
  // An enabled keyboard that notes its number for every key it takes.
  std::unique_ptr<TLTKeyboard> Keyboard(int number) {
    auto keyboard = std::make_unique<TLTKeyboard>(nullptr, nullptr);
    keyboard->setEnabled(true);
    keyboard->OnKeyboard = [this, number](uint32_t, int, int, char, bool) {
      takenBy.push_back(number);
      return true;
    };
    return keyboard;
  }

  TForm window{nullptr};
  std::vector<int> takenBy;
};

// The keys reach the keyboard while it lives, and nothing reaches it after; the next keyboard
// gets the hook.
TEST_F(KeyboardHookTest, TheHookServesEachKeyboardWhileItLives) {
  for (int keyboardNumber = 1; keyboardNumber <= 2; ++keyboardNumber) {
    SCOPED_TRACE(keyboardNumber);
    std::vector<char> typed;
    {
      TLTKeyboard keyboard(nullptr, nullptr);
      keyboard.setEnabled(true);
      keyboard.OnKeyboard = [&](uint32_t, int, int, char character, bool) {
        typed.push_back(character);
        return true;
      };
      PressA();
    }
    PressA();
    EXPECT_EQ(typed, std::vector<char>{'a'});
  }
}

// Two keyboards at once: the first keeps the keys while it lives, also when the second goes,
// and the second takes them once the first has gone.
TEST_F(KeyboardHookTest, EachKeyboardRemovesOnlyItsOwnHook) {
  auto first = Keyboard(1);
  auto second = Keyboard(2);
  PressA();
  second.reset();
  PressA();
  second = Keyboard(2);
  first.reset();
  PressA();
  EXPECT_EQ(takenBy, (std::vector<int>{1, 1, 2}));
}

}  // namespace
