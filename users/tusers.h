#pragma once
// The list of all users: the users folder, the names in list order, and every user by name.
// Owns the users; owned by the root (the application object). Loaded once, at construction, from
// the profile folders found in the users folder. User-interface thread only.

#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "foundation/tltobject.h"
#include "toolkit/stringlist.h"

class TUser;

class TUsers : public TLTObject {
public:
  // Takes the users folder from the environment and loads it.
  explicit TUsers(TRoot* owner);
  ~TUsers() override;

  // Creates the folder with its parents when missing and stores it. False when no folder stands
  // there afterwards; the reason is then one of the notes of getUnlisted.
  bool setDirectory(const std::string& folder);
  const std::string& getDirectory() const { return Directory; }

  // One user per profile folder of the users folder, in listing order: a folder that holds the
  // program's "Profile.ini" (a file, no link) and that this account owns, named after a plain
  // user name. Anything else is no user and is left as it is: listing writes nothing and changes
  // no mode. Folders whose name begins with "." are passed over. Where a folder holds a profile
  // but is no user (a link, another account's, a name no user can have, an old code-page name
  // that cannot get its UTF-8 name), getUnlisted says which and why, as it does when the users
  // folder cannot be listed. A folder named in the code page (by an earlier release) gets the
  // UTF-8 form of its name, the name written into its profile first; a name that reads as
  // UTF-8 and in the code page as two names is the one its profile names, else no user.
  void Load();
  // Deletes every user.
  void Clear();

  // The user of exactly that name (letter case counts), or none.
  TUser* Find(const std::string& name) const;
  int getCount() const { return Names.Count(); }
  const TStringList& getNames() const { return Names; }

  // A new user with its profile, the digest of the password and the avatar (when given) stored
  // in it, last in the list. The profile folder appears on the disk whole, in one step, or not
  // at all, also when the program is killed meanwhile. None for a name that is no plain user
  // name, that can get no profile folder (longer than the file system allows), whose trimmed
  // form names a user (isTaken), and when the profile could not be written (a full disk, a
  // folder that refuses files): then nothing of it is left.
  TUser* Add(const std::string& name, const std::string& password = "",
             std::optional<int32_t> avatar = std::nullopt);
  // Whether the (trimmed) name is a user's or its profile folder's place is taken on the disk,
  // by a user another copy of the program made meanwhile or by anything else.
  bool isTaken(const std::string& name) const;
  // Takes the user out of the list without deleting it (the caller does); true.
  bool Remove(const std::string& name);

  // The profile folder of a user of that name: the users folder + "/" + the name in UTF-8.
  std::string ProfileFolderOf(const std::string& name) const;
  // Whether a profile folder can be named after exactly that (trimmed) name: its UTF-8 form is
  // no longer than the file system allows.
  bool canNameFolder(const std::string& name) const;

  // One line for each profile the last Load did not list, saying which and why, and for a users
  // folder that could not be made or listed.
  const std::vector<std::string>& getUnlisted() const { return Unlisted; }
  // The notes of getUnlisted in one information box, the first time only; nothing when there
  // are none.
  void ReportUnlisted();

private:
  void Enter(std::unique_ptr<TUser> user);
  // Notes that the folder (named as it stands on the disk) holds no user for the reason, a
  // message whose placeholders get these values.
  void Note(const std::string& folder, const std::string& reason,
            std::initializer_list<std::pair<const char*, std::string>> values = {});
  // Whether the folder of the users folder is a profile this account may use; notes why not
  // when it holds a profile all the same.
  bool IsOwnProfile(const std::string& folder);
  // The user's name of a profile folder, empty (with a note) for a folder no user can be named
  // after; a folder named in the code page gets its UTF-8 name first.
  std::string NameOfFolder(const std::string& folder);
  // Moves the profile of an earlier release's code-page folder to the UTF-8 form of its name.
  bool MoveToUtf8(const std::string& folder);
  // Writes the whole profile into a new hidden folder and moves that into place.
  bool MakeProfile(const std::string& name, const std::string& password,
                   std::optional<int32_t> avatar);

  std::string Directory;
  TStringList Names;
  std::map<std::string, std::unique_ptr<TUser>> Users;
  // Why the users folder could not be made, empty when it was.
  std::string DirectoryFailure;
  std::vector<std::string> Unlisted;
  bool Reported = false;
};
