#pragma once
// The real windows of the run sequence: each entry builds its window with no owner, runs it
// modally and frees it on every way out, also when the run raises. The main window installs
// one on the application object for the whole run. User-interface thread only.

#include "foundation/twindowopener.h"

class TFormOpener final : public TWindowOpener {
public:
  bool ShowAddNewUser(TRoot* root) override;
  TUser* ShowLogin(TRoot* root) override;
  TCourse* ShowStart(TUser* user) override;
  bool ShowAuthorization(TUser* user) override;
  std::optional<std::string> ChangePassword(TUser* user) override;
  // The training screen for the course and the user: built, messages processed once, run
  // with Execute until the user leaves it, freed.
  void RunSession(TCourse* course, TUser* user) override;
};
