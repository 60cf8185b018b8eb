#include "platform/keycodes.h"

#include <array>

namespace {

// X11 and Wayland key codes are evdev codes plus 8; evdev codes of the main block and the
// keypad are the set-1 scan codes themselves.
constexpr uint32_t kEvdevOffset = 8;
constexpr uint32_t kLastPlainEvdev = 88;  // F12

// The evdev keys beyond the plain block, with the (extended, hence negative) codes they get.
struct ExtendedKey {
  uint32_t evdev;
  int scanCode;
};
constexpr ExtendedKey kExtendedKeys[] = {
    {96, -28},   // keypad Enter
    {97, -29},   // right Ctrl
    {98, -53},   // keypad divide
    {99, -55},   // Print Screen
    {100, -56},  // right Alt
    {102, -71},  // Home
    {103, -72},  // Up
    {104, -73},  // Page Up
    {105, -75},  // Left
    {106, -77},  // Right
    {107, -79},  // End
    {108, -80},  // Down
    {109, -81},  // Page Down
    {110, -82},  // Insert
    {111, -83},  // Delete
    {119, 69},   // Pause: the system reports it with Num Lock's code, not extended
    {125, -91},  // left Windows
    {126, -92},  // right Windows
    {127, -93},  // menu
};

// Virtual keys of the plain scan codes 0 to 88, by code.
constexpr std::array<int, kLastPlainEvdev + 1> kPlainVirtualKeys = {
    // clang-format off
    0, VK_ESCAPE,
    '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', VK_OEM_MINUS, VK_OEM_PLUS, VK_BACK,
    VK_TAB, 'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', VK_OEM_4, VK_OEM_6, VK_RETURN,
    VK_LCONTROL, 'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', VK_OEM_1, VK_OEM_7, VK_OEM_3,
    VK_LSHIFT, VK_OEM_5, 'Z', 'X', 'C', 'V', 'B', 'N', 'M', VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_2,
    0 /* right Shift comes negated */, VK_MULTIPLY, VK_LMENU, VK_SPACE, VK_CAPITAL,
    VK_F1, VK_F2, VK_F3, VK_F4, VK_F5, VK_F6, VK_F7, VK_F8, VK_F9, VK_F10, VK_PAUSE, VK_SCROLL,
    // The keypad, as with Num Lock on.
    VK_NUMPAD0 + 7, VK_NUMPAD0 + 8, VK_NUMPAD0 + 9, VK_SUBTRACT,
    VK_NUMPAD0 + 4, VK_NUMPAD0 + 5, VK_NUMPAD0 + 6, VK_ADD,
    VK_NUMPAD0 + 1, VK_NUMPAD0 + 2, VK_NUMPAD0 + 3,
    VK_NUMPAD0, VK_DECIMAL,
    0, 0, VK_OEM_102, VK_F11, VK_F12,
    // clang-format on
};
static_assert(kPlainVirtualKeys[kLastPlainEvdev] == VK_F12, "one virtual key per plain code");

struct ExtendedVirtualKey {
  int scanCode;
  int virtualKey;
};
constexpr ExtendedVirtualKey kExtendedVirtualKeys[] = {
    {-28, VK_RETURN}, {-29, VK_RCONTROL}, {-53, VK_DIVIDE}, {-54, VK_RSHIFT}, {-55, VK_SNAPSHOT},
    {-56, VK_RMENU},  {-69, VK_NUMLOCK},  {-71, VK_HOME},   {-72, VK_UP},     {-73, VK_PRIOR},
    {-75, VK_LEFT},   {-77, VK_RIGHT},    {-79, VK_END},    {-80, VK_DOWN},   {-81, VK_NEXT},
    {-82, VK_INSERT}, {-83, VK_DELETE},   {-91, VK_LWIN},   {-92, VK_RWIN},   {-93, VK_APPS},
};

constexpr int kRightShift = 54, kNumLock = 69;

}  // namespace

int SignedScanCodeOfNative(uint32_t nativeScanCode) {
  if (nativeScanCode < kEvdevOffset) return 0;
  uint32_t evdev = nativeScanCode - kEvdevOffset;
  if (evdev <= kLastPlainEvdev) {
    int code = static_cast<int>(evdev);
    // The system marks these two as extended although their codes are plain.
    if (code == kRightShift || code == kNumLock) return -code;
    return kPlainVirtualKeys[evdev] ? code : 0;
  }
  for (const ExtendedKey& key : kExtendedKeys) {
    if (key.evdev == evdev) return key.scanCode;
  }
  return 0;
}

int VirtualKeyOfScanCode(int signedScanCode) {
  if (signedScanCode > 0 && signedScanCode <= static_cast<int>(kLastPlainEvdev)) {
    return kPlainVirtualKeys[signedScanCode];
  }
  for (const ExtendedVirtualKey& key : kExtendedVirtualKeys) {
    if (key.scanCode == signedScanCode) return key.virtualKey;
  }
  return 0;
}
