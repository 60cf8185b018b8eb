#pragma once
// The links to the product's web site: "http://" + host + "/welcome?action=..." with the
// program's version and the asking window, opened in the default browser through the shell.
// Keeps nothing. User-interface thread only.

#include <cstdint>
#include <string>

// The page a link asks for: 0 visit, 2 checkupdate, 3 support, 4 cabinet, any other none.
using TSiteAction = uint8_t;

class TSite {
public:
  std::string getHost() const;
  // Nothing in the address is escaped: the caller tag goes in as it stands.
  std::string getURL(TSiteAction action, const std::string& from) const;
  // Opens getURL in the default browser; a link that cannot open is not reported.
  void OpenURL(TSiteAction action, const std::string& from) const;

  // A value for the query of an address: the text (system code page) as UTF-8, every byte but
  // letters, digits and "-._~" percent-encoded, so a blank, "&" or "#" stays inside the value.
  static std::string EncodeQueryValue(const std::string& text);
};
