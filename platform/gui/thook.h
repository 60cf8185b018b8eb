#pragma once
// The program's keyboard and mouse hooks: one application-wide filter that hands every key and
// mouse event of the program's windows, once, to one keyboard callback and one mouse callback,
// before any window or shortcut sees it. A callback's false answer swallows the event. A key
// event carries the hooks' millisecond stamp, the signed scan code and the virtual key of the
// physical key (platform/keycodes.h). The hooks and their callbacks run on the user-interface
// thread; they do not own what the callbacks reach.

#include <cstdint>
#include <functional>
#include <thread>

// (time in milliseconds, signed scan code, virtual key, down) -> pass the key on.
using TKeyboardHookCallback =
    std::function<bool(uint32_t Time, int ScanCode, int VirtualKey, bool Down)>;

// Mouse message identifiers as the callback receives them.
constexpr unsigned WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202,
                   WM_LBUTTONDBLCLK = 0x0203, WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205,
                   WM_RBUTTONDBLCLK = 0x0206, WM_MBUTTONDOWN = 0x0207, WM_MBUTTONUP = 0x0208,
                   WM_MBUTTONDBLCLK = 0x0209, WM_MOUSEWHEEL = 0x020A;

// The mouse-hook record: where the pointer is, in screen pixels.
struct MOUSEHOOKSTRUCT {
  int X = 0, Y = 0;
};

// (message, record) -> pass the event on.
using TMouseHookCallback = std::function<bool(unsigned Message, const MOUSEHOOKSTRUCT* Data)>;

// Installs the keyboard hook for the user-interface thread `thread`; a hook in force keeps its
// first callback. Answers whether a keyboard hook is installed (false without an application
// or from another thread).
bool InstallKeyboardHook(TKeyboardHookCallback callback, std::thread::id thread);
// Answers whether no keyboard hook remains; the callback is never called after it.
bool RemoveKeyboardHook();
bool InstallMouseHook(TMouseHookCallback callback, std::thread::id thread);
bool RemoveMouseHook();
