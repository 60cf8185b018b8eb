#pragma once
// The application object: the root of every owner chain. Owns, for the whole run, the
// environment (folders, the main INI store, the localization store), the users, the course
// catalogue, the version and the site links. One per program; user-interface thread only.

#include <memory>
#include <string>

#include "foundation/troot.h"

class TCourse;
class TCourses;
class TEnvironment;
class TSite;
class TUser;
class TUsers;
class TVersion;

class TLomtak : public TRoot {
public:
  // Builds, in this order, the environment, the users, the courses, the version and the site,
  // then registers "Version". Raises what they raise (a folder named like a course file).
  TLomtak();
  ~TLomtak() override;

  // The application object at the root of the program's objects and windows. Raises
  // std::bad_cast for another root (a plain test's), which has no courses, version or site.
  static TLomtak* Of(TRoot* root) { return &dynamic_cast<TLomtak&>(*root); }

  // Fills "%VERSION%" with the file version.
  std::string Format(const std::string& text) const override;

  // The run sequence: the login loop. While the login window gives a user, that user trains,
  // held against other copies of the program meanwhile (users/tuserlock.h); a user another copy
  // holds is refused with a message. Returns when the login window gives none.
  void Run();

  // The login window, built with the window opener installed on the root: the chosen user, or
  // none. The users' own windows are the root's (foundation/troot.h).
  TUser* ShowLogin();
  // A confirmed password is stored and the user's "PasswordChanged" shown; one that could not be
  // stored leaves the old password and shows the user's "PasswordNotChanged".
  bool ChangePassword(TUser* user) override;

  TEnvironment* getEnvironment() const override { return Environment.get(); }
  TUsers* getUsers() const override { return Users.get(); }
  TCourses* getCourses() const { return Courses.get(); }
  TVersion* getVersion() const { return Version.get(); }
  TSite* getSite() const { return Site.get(); }

private:
  std::unique_ptr<TEnvironment> Environment;
  std::unique_ptr<TUsers> Users;
  std::unique_ptr<TCourses> Courses;
  std::unique_ptr<TVersion> Version;
  std::unique_ptr<TSite> Site;
};
