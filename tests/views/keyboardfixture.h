#pragma once
// An enabled on-screen keyboard, shown, with the key state in the test's hands, and key events
// fed to it as the hook delivers them; every OnKeyboard call is recorded.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/keycodes.h"
#include "support/guiapplication.h"
#include "support/heldkeys.h"
#include "views/tltkeyboard.h"

struct TypedKey {
  int scanCode;
  char character;
  bool down;
};

class KeyboardTest : public testing::Test {
protected:
  KeyboardTest() {
    keyboard.setEnabled(true);
    keyboard.Show();
    keyboard.OnKeyboard = [this](uint32_t, int scanCode, int, char character, bool down) {
      typed.push_back({scanCode, character, down});
      return answer;
    };
  }

  bool Key(int scanCode, bool down) {
    return keyboard.CALLBACK_Keyboard(++time, scanCode, VirtualKeyOfScanCode(scanCode), down);
  }
  // The character the key typed when it went down.
  char Press(int scanCode) {
    Key(scanCode, true);
    return typed.empty() ? 0 : typed.back().character;
  }
  void Release(int scanCode) { Key(scanCode, false); }
  TLTKeyboardButton& Button(int scanCode) { return *keyboard.getButtonBySC(scanCode); }

  HeldKeys held;  // before the keyboard, which asks it while it is built
  TLTKeyboard keyboard{nullptr, nullptr};
  std::vector<TypedKey> typed;
  bool answer = true;
  uint32_t time = 1000;
};
