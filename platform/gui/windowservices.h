#pragma once
// Connects the plain platform services to the window system: the cursor display counter to the
// cursor on the screen, OpenAddress to the default browser, the drag of frameless windows to
// the window manager's move, the notification-area icon's stand-in to the window manager's
// minimising. Program entry calls it once, after the application is made. User-interface thread
// only.

void InstallWindowServices();
