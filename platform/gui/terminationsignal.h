#pragma once
// The requests to end the program that come as signals: SIGTERM (the desktop's logout, kill),
// SIGINT (Ctrl+C) and SIGHUP (its terminal went). Each calls the handler on the user-interface
// thread from its message loop, never inside the signal handler, which only writes to a pipe.
// After the first, a second such signal ends the program at once, as the system would, should
// it not have ended by then. User-interface thread only, once the application is made.

#include <functional>

// Takes the three signals from now on, replacing an earlier handler.
void OnTerminationSignal(std::function<void()> handler);
