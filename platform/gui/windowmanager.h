#pragma once
// Whether the window system can minimise a window and give it back. User-interface thread only.

// On X11, whether a window manager runs: without one a window asked to show minimised simply
// shows, and nothing ever restores it. Elsewhere the window system minimises itself: true.
bool WindowManagerRuns();
