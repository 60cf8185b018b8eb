#pragma once
// The root of the plain objects without the application object, for the tests of the layers
// below it: the environment of the installation (support/installedprogram.h) and the windows a
// test installs; with a part, the part too.

#include <memory>

#include "foundation/tenvironment.h"
#include "foundation/troot.h"
#include "support/installedprogram.h"

class TPlainRoot : public TRoot {
public:
  TEnvironment* getEnvironment() const override { return Environment.get(); }
  // No user list of its own (support/usersroot.h has one).
  TUsers* getUsers() const override { return nullptr; }

  // With no user list there is no password to store.
  bool ChangePassword(TUser*) override { return false; }

private:
  std::unique_ptr<TEnvironment> Environment = std::make_unique<TEnvironment>();
};

using PlainInstallation = InstalledProgram<TPlainRoot>;

// A plain root that owns one part of the program, built on it as the application object builds
// its own (the user list, the course catalogue).
template <class TPart>
class TPlainRootWith : public TPlainRoot {
protected:
  std::unique_ptr<TPart> Part = std::make_unique<TPart>(this);
};
