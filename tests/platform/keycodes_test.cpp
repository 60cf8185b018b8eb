#include "platform/keycodes.h"

#include <gtest/gtest.h>

namespace {

struct NativeKey {
  const char* name;
  uint32_t x11KeyCode;  // as an X server with the evdev rules reports it
  int scanCode;
  int virtualKey;
};

// Every key of the on-screen keyboard, then the extended and other keys the program meets.
constexpr NativeKey kKeys[] = {
    // clang-format off
    {"grave", 49, 41, VK_OEM_3},          {"1", 10, 2, '1'},
    {"2", 11, 3, '2'},                    {"3", 12, 4, '3'},
    {"4", 13, 5, '4'},                    {"5", 14, 6, '5'},
    {"6", 15, 7, '6'},                    {"7", 16, 8, '7'},
    {"8", 17, 9, '8'},                    {"9", 18, 10, '9'},
    {"0", 19, 11, '0'},                   {"minus", 20, 12, VK_OEM_MINUS},
    {"equal", 21, 13, VK_OEM_PLUS},       {"BackSpace", 22, 14, VK_BACK},
    {"Tab", 23, 15, VK_TAB},              {"q", 24, 16, 'Q'},
    {"w", 25, 17, 'W'},                   {"e", 26, 18, 'E'},
    {"r", 27, 19, 'R'},                   {"t", 28, 20, 'T'},
    {"y", 29, 21, 'Y'},                   {"u", 30, 22, 'U'},
    {"i", 31, 23, 'I'},                   {"o", 32, 24, 'O'},
    {"p", 33, 25, 'P'},                   {"bracketleft", 34, 26, VK_OEM_4},
    {"bracketright", 35, 27, VK_OEM_6},   {"backslash", 51, 43, VK_OEM_5},
    {"Caps_Lock", 66, 58, VK_CAPITAL},    {"a", 38, 30, 'A'},
    {"s", 39, 31, 'S'},                   {"d", 40, 32, 'D'},
    {"f", 41, 33, 'F'},                   {"g", 42, 34, 'G'},
    {"h", 43, 35, 'H'},                   {"j", 44, 36, 'J'},
    {"k", 45, 37, 'K'},                   {"l", 46, 38, 'L'},
    {"semicolon", 47, 39, VK_OEM_1},      {"apostrophe", 48, 40, VK_OEM_7},
    {"Return", 36, 28, VK_RETURN},        {"Shift_L", 50, 42, VK_LSHIFT},
    {"z", 52, 44, 'Z'},                   {"x", 53, 45, 'X'},
    {"c", 54, 46, 'C'},                   {"v", 55, 47, 'V'},
    {"b", 56, 48, 'B'},                   {"n", 57, 49, 'N'},
    {"m", 58, 50, 'M'},                   {"comma", 59, 51, VK_OEM_COMMA},
    {"period", 60, 52, VK_OEM_PERIOD},    {"slash", 61, 53, VK_OEM_2},
    {"Shift_R", 62, -54, VK_RSHIFT},      {"Control_L", 37, 29, VK_LCONTROL},
    {"Super_L", 133, -91, VK_LWIN},       {"Alt_L", 64, 56, VK_LMENU},
    {"space", 65, 57, VK_SPACE},          {"Alt_R", 108, -56, VK_RMENU},
    {"Super_R", 134, -92, VK_RWIN},       {"Menu", 135, -93, VK_APPS},
    {"Control_R", 105, -29, VK_RCONTROL},
    // Beyond the on-screen keyboard.
    {"Escape", 9, 1, VK_ESCAPE},          {"F1", 67, 59, VK_F1},
    {"F5", 71, 63, VK_F5},                {"F10", 76, 68, VK_F10},
    {"F11", 95, 87, VK_F11},              {"F12", 96, 88, VK_F12},
    {"KP_Enter", 104, -28, VK_RETURN},    {"KP_Divide", 106, -53, VK_DIVIDE},
    {"KP_Multiply", 63, 55, VK_MULTIPLY}, {"KP_Subtract", 82, 74, VK_SUBTRACT},
    {"KP_Add", 86, 78, VK_ADD},           {"KP_7", 79, 71, VK_NUMPAD0 + 7},
    {"KP_0", 90, 82, VK_NUMPAD0},         {"KP_Decimal", 91, 83, VK_DECIMAL},
    {"Num_Lock", 77, -69, VK_NUMLOCK},    {"Scroll_Lock", 78, 70, VK_SCROLL},
    {"Pause", 127, 69, VK_PAUSE},         {"Print", 107, -55, VK_SNAPSHOT},
    {"Home", 110, -71, VK_HOME},          {"Up", 111, -72, VK_UP},
    {"Prior", 112, -73, VK_PRIOR},        {"Left", 113, -75, VK_LEFT},
    {"Right", 114, -77, VK_RIGHT},        {"End", 115, -79, VK_END},
    {"Down", 116, -80, VK_DOWN},          {"Next", 117, -81, VK_NEXT},
    {"Insert", 118, -82, VK_INSERT},      {"Delete", 119, -83, VK_DELETE},
    {"less (102nd key)", 94, 86, VK_OEM_102},
    // clang-format on
};

TEST(KeyCodesTest, NativeCodesGiveTheKeysScanCodeAndVirtualKey) {
  for (const NativeKey& key : kKeys) {
    SCOPED_TRACE(key.name);
    EXPECT_EQ(SignedScanCodeOfNative(key.x11KeyCode), key.scanCode);
    EXPECT_EQ(VirtualKeyOfScanCode(key.scanCode), key.virtualKey);
  }
}

TEST(KeyCodesTest, CodesOutsideTheTablesGiveNoKey) {
  for (uint32_t native : {0u, 7u, 8u + 84u, 8u + 101u, 255u, 100000u}) {
    SCOPED_TRACE(native);
    EXPECT_EQ(SignedScanCodeOfNative(native), 0);
  }
  for (int scanCode : {0, 54, -1, -30, 89, 1000, -1000}) {
    SCOPED_TRACE(scanCode);
    EXPECT_EQ(VirtualKeyOfScanCode(scanCode), 0);
  }
}

}  // namespace
