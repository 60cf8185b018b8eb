#pragma once
// The on-screen keyboard of the training screen, and the point where the keyboard hook's
// events become typed characters: it finds the key of each event by its signed scan code,
// presses or releases it, takes its character for the current Shift and Caps Lock state and
// raises OnKeyboard, whose answer decides whether the key passes on. Draws a rounded body with
// its keys at a whole-number scale (pixels per layout unit). Built hidden and disabled with the
// built-in US keyboard; a course's layout file changes the keys' characters. Owns its keys and
// its callback on the keyboard hook, installed while it lives. User-interface thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/thook.h"
#include "toolkit/color.h"
#include "toolkit/gui/paintbox.h"
#include "views/tltkeyboardbutton.h"

class TIniOptions;
class TWinControl;

// (time in ms, signed scan code, virtual key, character or 0, down) -> pass the key on.
using TLTKeyboardEvent =
    std::function<bool(uint32_t Time, int ScanCode, int VirtualKey, char Char, bool Down)>;

class TLTKeyboard : public TPaintBox {
public:
  // Owned by the owner, shown inside the parent (either may be none).
  TLTKeyboard(TComponent* Owner, TWinControl* Parent);
  // Removes its callback from the keyboard hook before the keys go.
  ~TLTKeyboard() override;

  TCanvas* getCanvas() { return Canvas(); }
  void setCurrentChar(char character) { CurrentChar = character; }
  char getCurrentChar() const { return CurrentChar; }
  // The first key with that scan code, or none.
  TLTKeyboardButton* getButtonBySC(int scanCode) const;

  // The hook's callback: while enabled, presses or releases the key, raises OnKeyboard and
  // updates every key; answers whether the key passes on.
  bool CALLBACK_Keyboard(uint32_t Time, int ScanCode, int VirtualKey, bool Down);

  // Lets go of every key it holds, as when their releases will never come (its window hid or
  // lost the focus): each is drawn up, and no event is raised, so nothing is typed.
  void ReleaseKeys();

  // The on-screen Shift keys, not the system's.
  bool IsShiftPressed() const;
  // The system's Ctrl and Alt now, and its Caps Lock.
  bool IsCtrlPressed() const;
  bool IsAltPressed() const;
  bool IsCapsLockOn() const;

  void Clear();
  // The largest whole scale at which the keyboard fits the pixel area (0 when it does not).
  void StrechToSize(int width, int height);
  // The scale StrechToSize gives for that size: the largest whole one that fits both.
  int FittingScale(int width, int height) const;
  int Scale() const { return scale_; }
  void SetScale(int scale);
  void ResetSize();
  void RenderView();
  void UpdateAllButtons();
  void Paint() override { RenderView(); }

  void SetDefaultSettings() {}
  void SetDefaultKeyboard();
  void SetDefaultLayout();
  void SetDefaultPalette();
  // Applies a course's .Layout file over the built-in characters; false, changing nothing,
  // for a file that is no readable keyboard layout.
  bool LoadLayout(const std::string& fileName);

  bool LoadTheme(TIniOptions* ini, const std::string& section);
  bool LoadState(TIniOptions* ini, const std::string& section);
  bool SaveState(TIniOptions* ini, const std::string& section);

  // The keyboard's own flag in place of the control's (which stays enabled): key events are
  // taken only while it is set.
  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }

  int Radius = 5;
  int MarginX = 3;
  int MarginY = 3;
  TColor BorderColor = 0xC0C0C0;
  TColor BackgroundColor = 0xFFFFFF;
  TLTKeyboardEvent OnKeyboard;
  char CurrentChar = 0;
  int UnitWidth = 0;
  int UnitHeight = 0;
  // In creation order.
  std::vector<std::unique_ptr<TLTKeyboardButton>> Buttons;

private:
  bool enabled_ = false;
  int scale_ = 3;
  THookHandle keyboardHook_;
};
