#pragma once
// The keyboard's state now: whether Ctrl and Alt are held (the window system's current
// modifiers) and whether Caps Lock is toggled on (the X11 lock state where the program runs on
// an X11 display, else followed from the Caps Lock presses the hooks see). User-interface
// thread only.

// VK_CONTROL, VK_MENU or VK_SHIFT (either side) is down now.
bool IsKeyDown(int virtualKey);
// VK_CAPITAL is toggled on; false for any other key.
bool IsKeyToggled(int virtualKey);

// The hooks report every Caps Lock press here (auto-repeated ones included) for the displays
// whose lock state cannot be asked.
void NoteCapsLockPress(bool autoRepeat);
