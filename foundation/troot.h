#pragma once
// The root of every owner chain as the layers below the application see it: it answers getRoot
// itself, and through it every plain object and window reaches the environment, the localized
// texts, the user list and the windows of the run sequence. The program's one root is its
// application object; a plain test stands in its own. Does not own the window opener.
// User-interface thread only.

#include <string>

#include "foundation/tltobject.h"

class TCourse;
class TEnvironment;
class TIniOptions;
class TUser;
class TUsers;
class TWindowOpener;

class TRoot : public TLTObject {
public:
  TRoot() : TLTObject(nullptr) {}

  TRoot* getRoot() final { return this; }

  // The folders and the stores of the whole run.
  virtual TEnvironment* getEnvironment() const = 0;
  TIniOptions* getLocalization() const;
  // The key's text in that section of the localization file, its backslash-n pairs turned
  // into CR LF; the default when the key is missing or empty. Never raises, never writes.
  std::string ReadLocalized(const std::string& section, const std::string& key,
                            const std::string& fallback) const;

  // Every user of the run.
  virtual TUsers* getUsers() const = 0;

  // The windows that serve the users, each built, run modally and freed by the window opener.
  // The new-user window: true when it created a user.
  bool ShowAddNewUser();
  // The start window for the user: the chosen and loaded course, or none.
  TCourse* ShowStart(TUser* user);
  // The user's password prompt: true when the right password was confirmed.
  bool ShowAuthorization(TUser* user);
  // The new-password window for the user; when confirmed, stores the new password and says
  // whether it was stored. True when a new password was stored. Storing needs the users, a
  // layer above this one: the root that has them implements it.
  virtual bool ChangePassword(TUser* user) = 0;

  // The windows of the run sequence (see foundation/twindowopener.h), not owned. With none
  // installed every window answers as if it were closed at once.
  void setWindowOpener(TWindowOpener* opener) { WindowOpener = opener; }
  TWindowOpener* getWindowOpener() const;

private:
  TWindowOpener* WindowOpener = nullptr;
};
