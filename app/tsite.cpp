#include "app/tsite.h"

#include "app/tversion.h"
#include "platform/openaddress.h"
#include "toolkit/codepage.h"

namespace {

const char* ActionText(TSiteAction action) {
  switch (action) {
    case 0: return "?action=visit";
    case 2: return "?action=checkupdate";
    case 3: return "?action=support";
    case 4: return "?action=cabinet";
    default: return "?action=none";
  }
}

}  // namespace

std::string TSite::getHost() const { return "www.lomtak.org"; }

std::string TSite::getURL(TSiteAction action, const std::string& from) const {
  return "http://" + getHost() + "/welcome" + ActionText(action) +
         "&version=" + TVersion::FileVersionOf(TVersionInfo::OfProgram()) + "&from=" + from;
}

void TSite::OpenURL(TSiteAction action, const std::string& from) const {
  OpenAddress(getURL(action, from));
}

std::string TSite::EncodeQueryValue(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (unsigned char c : ToUtf8(text)) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~';
    if (plain) {
      encoded += static_cast<char>(c);
    } else {
      encoded += {'%', kHex[c >> 4], kHex[c & 15]};
    }
  }
  return encoded;
}
