#pragma once
// Opens an address in the desktop's default browser through Qt: the real opener behind
// OpenAddress (platform/openaddress.h). User-interface thread only.

#include <string>

// The address is 8-bit text in the system code page; nothing is reported, as the shell
// reports nothing.
void OpenInBrowser(const std::string& address);
