#include "app/tlomtak.h"

#include "app/tsite.h"
#include "app/tversion.h"
#include "engine/tcourses.h"
#include "foundation/tenvironment.h"
#include "foundation/tinioptions.h"
#include "foundation/twindowopener.h"
#include "users/tuser.h"
#include "users/tusers.h"

namespace {

// Every window closed at once: what the plain objects see with no windows installed.
class TClosedWindows final : public TWindowOpener {
public:
  bool ShowAddNewUser(TLomtak*) override { return false; }
  TUser* ShowLogin(TLomtak*) override { return nullptr; }
  TCourse* ShowStart(TUser*) override { return nullptr; }
  bool ShowAuthorization(TUser*) override { return false; }
  std::optional<std::string> ChangePassword(TUser*) override { return std::nullopt; }
  void RunSession(TCourse*, TUser*) override {}
};

}  // namespace

TLomtak::TLomtak() : TLTObject(nullptr) {
  Environment = std::make_unique<TEnvironment>();
  Users = std::make_unique<TUsers>(this);
  Courses = std::make_unique<TCourses>(this);
  Version = std::make_unique<TVersion>(this);
  Site = std::make_unique<TSite>();
  AddMessage("Version", "Version: %VERSION%");
}

TLomtak::~TLomtak() {
  Users.reset();
  Courses.reset();
  Environment.reset();
  Version.reset();
  Site.reset();
}

std::string TLomtak::Format(const std::string& text) const {
  return ReplacePlaceholder(text, "VERSION", Version->getFileVersion());
}

void TLomtak::Run() {
  while (TUser* user = ShowLogin()) user->Train();
}

TWindowOpener* TLomtak::getWindowOpener() const {
  static TClosedWindows closed;
  return WindowOpener ? WindowOpener : &closed;
}

bool TLomtak::ShowAddNewUser() { return getWindowOpener()->ShowAddNewUser(this); }

TUser* TLomtak::ShowLogin() { return getWindowOpener()->ShowLogin(this); }

TCourse* TLomtak::ShowStart(TUser* user) { return getWindowOpener()->ShowStart(user); }

bool TLomtak::ShowAuthorization(TUser* user) { return getWindowOpener()->ShowAuthorization(user); }

bool TLomtak::ChangePassword(TUser* user) {
  const std::optional<std::string> password = getWindowOpener()->ChangePassword(user);
  if (!password) return false;
  if (!user->setPassword(*password)) {
    user->ShowMessage("PasswordNotChanged");
    return false;
  }
  user->ShowMessage("PasswordChanged");
  return true;
}

TIniOptions* TLomtak::getLocalization() const { return Environment->getLocalization(); }

std::string TLomtak::ReadLocalized(const std::string& section, const std::string& key,
                                   const std::string& fallback) const {
  // The store is read-only, so a missing key writes nothing back.
  return getLocalization()->ReadString(section, key, fallback);
}
