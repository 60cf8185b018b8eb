#include "app/tlomtak.h"

#include <optional>

#include "app/tsite.h"
#include "app/tversion.h"
#include "engine/tcourses.h"
#include "foundation/tenvironment.h"
#include "foundation/twindowopener.h"
#include "users/tuser.h"
#include "users/tuserlock.h"
#include "users/tusers.h"

TLomtak::TLomtak() {
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
  while (TUser* user = ShowLogin()) {
    // Held from the login to the logout; the next pass of the login loop lets it go.
    TUserLock lock;
    if (lock.Take(*user)) user->Train();
  }
}

TUser* TLomtak::ShowLogin() { return getWindowOpener()->ShowLogin(this); }

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
