#pragma once
// The program's keyboard and mouse hooks: one application-wide filter that hands every key and
// mouse event of the program's windows, once, to one keyboard callback and one mouse callback,
// before any window or shortcut sees it. A callback's false answer swallows the event. A key
// event carries the hooks' millisecond stamp, the signed scan code and the virtual key of the
// physical key (platform/keycodes.h). Each installed callback belongs to the handle its
// installation gave, which alone removes it; of the callbacks installed on a hook the earliest
// is the one in force. The hooks, their handles and their callbacks are the user-interface
// thread's; they do not own what the callbacks reach.

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

// One callback installed on a hook: removed when the handle goes, is reset or takes another's.
class THookHandle {
public:
  THookHandle() = default;
  THookHandle(THookHandle&& other) noexcept;
  THookHandle& operator=(THookHandle&& other) noexcept;
  ~THookHandle() { Remove(); }

  // Whether its callback is installed, in force or behind an earlier one.
  bool Installed() const;
  // Removes its own callback, which is never called after it; the next one installed, if any,
  // comes into force.
  void Remove();

  // The hook a handle's callback is on.
  enum class THook { Keyboard, Mouse };

private:
  THookHandle(THook hook, uint64_t id) : Hook(hook), Id(id) {}
  friend THookHandle InstallKeyboardHook(TKeyboardHookCallback, std::thread::id);
  friend THookHandle InstallMouseHook(TMouseHookCallback, std::thread::id);

  THook Hook = THook::Keyboard;
  uint64_t Id = 0;  // 0: no callback
};

// Installs the callback on the keyboard hook for the user-interface thread `thread`, behind the
// callbacks installed before it. Without an application or from another thread the handle holds
// none.
[[nodiscard]] THookHandle InstallKeyboardHook(TKeyboardHookCallback callback,
                                              std::thread::id thread);
[[nodiscard]] THookHandle InstallMouseHook(TMouseHookCallback callback, std::thread::id thread);
