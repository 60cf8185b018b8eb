#pragma once
// A plain root (support/plainroot.h) with the user list.

#include "support/plainroot.h"
#include "users/tusers.h"

class TUsersRoot final : public TPlainRootWith<TUsers> {
public:
  TUsers* getUsers() const { return Part.get(); }
};

using UsersInstallation = InstalledProgram<TUsersRoot>;
