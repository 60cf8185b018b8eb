#pragma once
// Opening an address (a web page) in the user's default browser. The opener is a replaceable
// handler: the windows layer installs the one that starts the browser, a test installs one that
// records the address. With none installed nothing opens. Nothing is ever reported, as the shell
// reports nothing. User-interface thread only.

#include <functional>
#include <string>

using TOpenAddressHandler = std::function<void(const std::string& address)>;

void OpenAddress(const std::string& address);

// Installs the handler (an empty one opens nothing); returns the one before.
TOpenAddressHandler SetOpenAddressHandler(TOpenAddressHandler handler);
