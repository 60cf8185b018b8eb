#include "views/tltkeyboard.h"

#include <QImage>

#include <algorithm>
#include <thread>

#include "foundation/tinioptions.h"
#include "platform/gui/keystate.h"
#include "platform/gui/thook.h"
#include "platform/keycodes.h"
#include "toolkit/gui/wincontrol.h"

namespace {

constexpr int kLeftShift = 42, kRightShift = -54;
// The body's outer band is this many pixels wide at every scale.
constexpr int kBorderBand = 3;

}  // namespace

TLTKeyboard::TLTKeyboard(TComponent* Owner, TWinControl* Parent) : TPaintBox(Owner) {
  if (Parent) setParent(Parent);
  Font()->setName("Tahoma");
  SetDefaultSettings();
  SetDefaultKeyboard();
  SetDefaultLayout();
  SetDefaultPalette();
  keyboardHook_ = InstallKeyboardHook(
      [this](uint32_t time, int scanCode, int virtualKey, bool down) {
        return CALLBACK_Keyboard(time, scanCode, virtualKey, down);
      },
      std::this_thread::get_id());
  Hide();
}

TLTKeyboard::~TLTKeyboard() {
  keyboardHook_.Remove();
  Clear();
}

TLTKeyboardButton* TLTKeyboard::getButtonBySC(int scanCode) const {
  for (const auto& button : Buttons) {
    if (button->ScanCode == scanCode) return button.get();
  }
  return nullptr;
}

bool TLTKeyboard::CALLBACK_Keyboard(uint32_t Time, int ScanCode, int VirtualKey, bool Down) {
  if (!enabled_) return true;
  char character = 0;
  if (TLTKeyboardButton* button = getButtonBySC(ScanCode)) {
    if (Down) {
      button->Press();
    } else {
      button->Release();
    }
    character = button->getCurrentChar();
  }
  bool answer = OnKeyboard ? OnKeyboard(Time, ScanCode, VirtualKey, character, Down) : true;
  UpdateAllButtons();
  return answer;
}

void TLTKeyboard::ReleaseKeys() {
  for (const auto& button : Buttons) {
    if (button->IsPressed()) button->Release();
  }
  UpdateAllButtons();
}

bool TLTKeyboard::IsShiftPressed() const {
  for (int scanCode : {kLeftShift, kRightShift}) {
    TLTKeyboardButton* button = getButtonBySC(scanCode);
    if (button && button->IsPressed()) return true;
  }
  return false;
}

bool TLTKeyboard::IsCtrlPressed() const { return KeyState().IsKeyDown(VK_CONTROL); }
bool TLTKeyboard::IsAltPressed() const { return KeyState().IsKeyDown(VK_MENU); }
bool TLTKeyboard::IsCapsLockOn() const { return KeyState().IsKeyToggled(VK_CAPITAL); }

void TLTKeyboard::Clear() { Buttons.clear(); }

void TLTKeyboard::StrechToSize(int width, int height) { SetScale(FittingScale(width, height)); }

int TLTKeyboard::FittingScale(int width, int height) const {
  // A keyboard without keys fits nowhere.
  if (UnitWidth <= 0 || UnitHeight <= 0) return 0;
  return std::min(width / UnitWidth, height / UnitHeight);
}

void TLTKeyboard::SetScale(int scale) {
  scale_ = std::max(0, scale);
  ResetSize();
  Update();
}

void TLTKeyboard::ResetSize() {
  SetBounds(Left(), Top(), UnitWidth * scale_, UnitHeight * scale_);
  // The pixels of another size would stay in the corners outside the rounded body.
  getCanvas()->Surface()->fill(Qt::transparent);
  RenderView();
}

void TLTKeyboard::RenderView() {
  TCanvas* canvas = Canvas();
  int w = Width(), h = Height(), r = Radius * scale_;
  canvas->Pen()->setColor(BorderColor);
  canvas->Brush()->setColor(BorderColor);
  canvas->RoundRect(0, 0, w, h, r, r);
  canvas->Pen()->setColor(BackgroundColor);
  canvas->Brush()->setColor(BackgroundColor);
  canvas->RoundRect(kBorderBand, kBorderBand, w - kBorderBand, h - kBorderBand, r - kBorderBand,
                    r - kBorderBand);
  for (const auto& button : Buttons) button->Paint();
}

void TLTKeyboard::UpdateAllButtons() {
  for (const auto& button : Buttons) button->Update();
}

bool TLTKeyboard::LoadTheme(TIniOptions* ini, const std::string& section) {
  BorderColor = ini->ReadColor(section, "BorderColor", 0xC0C0C0);
  BackgroundColor = ini->ReadColor(section, "BackgroundColor", 0xFFFFFF);
  for (const auto& button : Buttons) {
    button->LoadTheme(ini, section + ".Button.Zone" + std::to_string(button->Zone));
  }
  RenderView();
  return true;
}

bool TLTKeyboard::LoadState(TIniOptions* ini, const std::string& section) {
  setVisible(ini->ReadBool(section, Name() + ".Visible", Visible()));
  Font()->setName(ini->ReadString(section, Name() + ".Font.Name", Font()->Name()));
  for (const auto& button : Buttons) button->Font.setName(Font()->Name());
  return true;
}

bool TLTKeyboard::SaveState(TIniOptions* ini, const std::string& section) {
  ini->WriteBool(section, Name() + ".Visible", Visible());
  return true;
}
