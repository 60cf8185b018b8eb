#pragma once
// The windows of the run sequence, as the plain objects open them: the root's window operations
// and the course's training screen go through the one opener installed on the root
// (TRoot::setWindowOpener). The program installs the one that builds the real windows;
// plain tests install one that answers as a person would. Each entry builds its
// window, runs it modally and deletes it before it returns, also when the run ends with an
// error, which passes on. User-interface thread only.

#include <optional>
#include <string>

class TCourse;
class TRoot;
class TUser;

class TWindowOpener {
public:
  virtual ~TWindowOpener() = default;

  // The new-user window, built with the root: true when it created a user in the root's list.
  virtual bool ShowAddNewUser(TRoot* root) = 0;
  // The login window over the root's users: the chosen user, or none (the window was left, or
  // no user exists and the new-user window was cancelled).
  virtual TUser* ShowLogin(TRoot* root) = 0;
  // The start window: the chosen course, loaded, or none.
  virtual TCourse* ShowStart(TUser* user) = 0;
  // The password prompt: true when the user's right password was confirmed.
  virtual bool ShowAuthorization(TUser* user) = 0;
  // The new-password window: the new password when confirmed (it may be empty), none when
  // cancelled. Storing it is the caller's.
  virtual std::optional<std::string> ChangePassword(TUser* user) = 0;
  // One training screen for the loaded course and the user, until the user leaves it.
  virtual void RunSession(TCourse* course, TUser* user) = 0;
};
