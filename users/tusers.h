#pragma once
// The list of all users: the users folder, the names in list order, and every user by name.
// Owns the users; owned by the root (the application object). Loaded once, at construction, from
// the profile folders found in the users folder. User-interface thread only.

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "foundation/tltobject.h"
#include "toolkit/stringlist.h"

class TUser;

class TUsers : public TLTObject {
public:
  // Takes the users folder from the environment and loads it.
  explicit TUsers(TRoot* owner);
  ~TUsers() override;

  // Creates the folder with its parents when missing (a failure is not reported); true.
  bool setDirectory(const std::string& folder);
  const std::string& getDirectory() const { return Directory; }

  // One user per folder of the users folder in listing order; files, folders whose name begins
  // with ".", folders whose name is no plain user name or names no text of the code page, and
  // folders this account may not open (another account's private profile) are skipped. A folder
  // named in the code page (by an earlier release) is renamed to the UTF-8 form of its name,
  // unless a folder of that name is there already: then it is left as it is.
  void Load();
  // Deletes every user.
  void Clear();

  // The user of exactly that name (letter case counts), or none.
  TUser* Find(const std::string& name) const;
  int getCount() const { return Names.Count(); }
  const TStringList& getNames() const { return Names; }

  // A new user with its profile, the digest of the password and the avatar (when given) stored
  // in it, last in the list. None for a name that is no plain user name, whose trimmed form already
  // names a user, or that can get no profile folder (longer than the file system allows, or a file
  // of that name in the users folder). None also when the profile could not be written (a full
  // disk, a folder that refuses files): then no trace of the user is left but a profile folder
  // that was there before.
  TUser* Add(const std::string& name, const std::string& password = "",
             std::optional<int32_t> avatar = std::nullopt);
  // Takes the user out of the list without deleting it (the caller does); true.
  bool Remove(const std::string& name);

  // The profile folder of a user of that name: the users folder + "/" + the name in UTF-8.
  std::string ProfileFolderOf(const std::string& name) const;
  // Whether a profile folder can be named after exactly that (trimmed) name: its UTF-8 form is
  // no longer than the file system allows.
  bool canNameFolder(const std::string& name) const;

private:
  void Enter(std::unique_ptr<TUser> user);
  // Whether a profile folder of that (trimmed) name can stand in the users folder.
  bool CanHoldProfile(const std::string& name) const;
  // The user's name of a profile folder, empty for a folder no user can be named after; a folder
  // named in the code page gets its UTF-8 name first.
  std::string NameOfFolder(const std::string& folder);

  std::string Directory;
  TStringList Names;
  std::map<std::string, std::unique_ptr<TUser>> Users;
};
