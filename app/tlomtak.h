#pragma once
// The application object: the root of every owner chain. Owns, for the whole run, the
// environment (folders, the main INI store, the localization store), the users, the course
// catalogue, the version and the site links. One per program; user-interface thread only.

#include <memory>
#include <string>

#include "foundation/tltobject.h"

class TCourses;
class TEnvironment;
class TIniOptions;
class TSite;
class TUsers;
class TVersion;

class TLomtak : public TLTObject {
public:
  // Builds, in this order, the environment, the users, the courses, the version and the site,
  // then registers "Version". Raises what they raise (a folder named like a course file).
  TLomtak();
  ~TLomtak() override;

  TLomtak* getRoot() override { return this; }
  // Fills "%VERSION%" with the file version.
  std::string Format(const std::string& text) const override;

  // The run sequence: the login loop. Its windows come later; until then it returns at once.
  void Run();

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
};
