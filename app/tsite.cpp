#include "app/tsite.h"

#include "app/tversion.h"
#include "platform/openaddress.h"

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
