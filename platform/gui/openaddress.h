#pragma once
// Opens an address (a web page) in the desktop's default browser. The opener is replaceable,
// so a test can take the address instead of starting a browser. User-interface thread only.

#include <functional>
#include <string>

// The address is 8-bit text in the system code page; false when nothing could open it.
bool OpenAddress(const std::string& address);

using TAddressOpener = std::function<bool(const std::string& address)>;
// Installs the opener (empty: the desktop's again); returns the one before.
TAddressOpener SetAddressOpener(TAddressOpener opener);
