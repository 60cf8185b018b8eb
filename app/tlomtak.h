#pragma once
// The application object: the root of every owner chain. Owns, for the whole run, the
// environment (folders, the main INI store, the localization store), the users, the course
// catalogue, the version and the site links. One per program; user-interface thread only.

#include <memory>
#include <string>

#include "foundation/tltobject.h"

class TCourse;
class TCourses;
class TEnvironment;
class TIniOptions;
class TSite;
class TUser;
class TUsers;
class TVersion;
class TWindowOpener;

class TLomtak : public TLTObject {
public:
  // Builds, in this order, the environment, the users, the courses, the version and the site,
  // then registers "Version". Raises what they raise (a folder named like a course file).
  TLomtak();
  ~TLomtak() override;

  TLomtak* getRoot() override { return this; }
  // Fills "%VERSION%" with the file version.
  std::string Format(const std::string& text) const override;

  // The run sequence: the login loop. While the login window gives a user, that user trains;
  // returns when it gives none.
  void Run();

  // The windows of the run sequence (see foundation/twindowopener.h), not owned. With none
  // installed every window answers as if it were closed at once.
  void setWindowOpener(TWindowOpener* opener) { WindowOpener = opener; }
  TWindowOpener* getWindowOpener() const;

  // The new-user window: true when it created a user.
  bool ShowAddNewUser();
  // The login window: the chosen user, or none.
  TUser* ShowLogin();
  // The start window for the user: the chosen and loaded course, or none.
  TCourse* ShowStart(TUser* user);
  // The user's password prompt: true when the right password was confirmed.
  bool ShowAuthorization(TUser* user);
  // The new-password window for the user; when confirmed, stores the new password and shows
  // the user's "PasswordChanged", or "PasswordNotChanged" when it could not be stored. True
  // when a new password was stored.
  bool ChangePassword(TUser* user);

  TEnvironment* getEnvironment() const { return Environment.get(); }
  TIniOptions* getLocalization() const;
  TUsers* getUsers() const { return Users.get(); }
  TCourses* getCourses() const { return Courses.get(); }
  TVersion* getVersion() const { return Version.get(); }
  TSite* getSite() const { return Site.get(); }

  // The key's text in that section of the localization file, its backslash-n pairs turned
  // into CR LF; the default when the key is missing or empty. Never raises, never writes.
  std::string ReadLocalized(const std::string& section, const std::string& key,
                            const std::string& fallback) const;

private:
  std::unique_ptr<TEnvironment> Environment;
  std::unique_ptr<TUsers> Users;
  std::unique_ptr<TCourses> Courses;
  std::unique_ptr<TVersion> Version;
  std::unique_ptr<TSite> Site;
  TWindowOpener* WindowOpener = nullptr;
};
