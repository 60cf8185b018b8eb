#pragma once
// A plain root (support/plainroot.h) with the user list.

#include <optional>
#include <string>

#include "foundation/twindowopener.h"
#include "support/plainroot.h"
#include "users/tuser.h"
#include "users/tusers.h"

class TUsersRoot final : public TPlainRootWith<TUsers> {
public:
  TUsers* getUsers() const override { return Part.get(); }
  // A confirmed new password is stored; saying so is the application object's.
  bool ChangePassword(TUser* user) override {
    const std::optional<std::string> password = getWindowOpener()->ChangePassword(user);
    return password && user->setPassword(*password);
  }
};

using UsersInstallation = InstalledProgram<TUsersRoot>;
