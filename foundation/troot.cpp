#include "foundation/troot.h"

#include "foundation/tenvironment.h"
#include "foundation/tinioptions.h"
#include "foundation/twindowopener.h"

namespace {

// Every window closed at once: what the plain objects see with no windows installed.
class TClosedWindows final : public TWindowOpener {
public:
  bool ShowAddNewUser(TRoot*) override { return false; }
  TUser* ShowLogin(TRoot*) override { return nullptr; }
  TCourse* ShowStart(TUser*) override { return nullptr; }
  bool ShowAuthorization(TUser*) override { return false; }
  std::optional<std::string> ChangePassword(TUser*) override { return std::nullopt; }
  void RunSession(TCourse*, TUser*) override {}
};

}  // namespace

TIniOptions* TRoot::getLocalization() const { return getEnvironment()->getLocalization(); }

std::string TRoot::ReadLocalized(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
  // The store is read-only, so a missing key writes nothing back.
  return getLocalization()->ReadString(section, key, fallback);
}

bool TRoot::ShowAddNewUser() { return getWindowOpener()->ShowAddNewUser(this); }

TCourse* TRoot::ShowStart(TUser* user) { return getWindowOpener()->ShowStart(user); }

bool TRoot::ShowAuthorization(TUser* user) { return getWindowOpener()->ShowAuthorization(user); }

TWindowOpener* TRoot::getWindowOpener() const {
  static TClosedWindows closed;
  return WindowOpener ? WindowOpener : &closed;
}
