#pragma once
// Whether the X display the program is to show on can be reached, asked before the application
// is made: Qt ends the program with an abort where it cannot connect.

#include <string>

// Empty where the display opens, or where the program is to run on another window system than
// X11 (QT_QPA_PLATFORM names one); else one line saying which display could not be opened.
std::string UnreachableDisplay();
