#include "users/tusers.h"

#include <unistd.h>

#include <climits>
#include <filesystem>
#include <vector>

#include "foundation/filetools.h"
#include "foundation/tenvironment.h"
#include "foundation/troot.h"
#include "platform/filesystem.h"
#include "toolkit/codepage.h"
#include "toolkit/fileio.h"
#include "toolkit/sysutils.h"
#include "users/tuser.h"

TUsers::TUsers(TRoot* owner) : TLTObject(owner) {
  setDirectory(getRoot()->getEnvironment()->getUsersDir());
  Load();
}

TUsers::~TUsers() { Clear(); }

bool TUsers::setDirectory(const std::string& folder) {
  FileSystem().MakeFolders(folder);
  Directory = folder;
  return true;
}

void TUsers::Load() {
  Clear();
  std::vector<std::string> folders, inside;
  FileSystem().ListFolder(Directory, folders);
  for (const std::string& folder : folders) {
    const std::string path = Directory + "/" + folder;
    if (folder.front() == '.' || !DirectoryExists(path)) continue;
    // Another account's private profile: its password could not be checked, and its folder is
    // not this account's to rename.
    if (FileSystem().ListFolder(path, inside)) continue;
    const std::string name = NameOfFolder(folder);
    if (!name.empty()) Enter(std::make_unique<TUser>(this, name));
  }
}

std::string TUsers::NameOfFolder(const std::string& folder) {
  // Well-formed UTF-8 is this release's name. An earlier one wrote the code page's bytes, which
  // are no UTF-8 but for the rarest names.
  const bool utf8 = IsUtf8(folder);
  const std::string name = utf8 ? FromUtf8(folder) : folder;
  // A folder such as " x" would give the user "x", whose profile is another folder; "Zoë" would
  // give "Zo?".
  if (!TUser::isPlainName(name) || name != Trim(name) || (utf8 && ToUtf8(name) != folder))
    return "";
  if (utf8) return name;
  const std::string renamed = ProfileFolderOf(name);
  if (FileSystem().Status(renamed).Kind != TFileKind::Missing ||
      FileSystem().Rename(Directory + "/" + folder, renamed))
    return "";
  return name;
}

void TUsers::Clear() {
  Names.Clear();
  Users.clear();
}

TUser* TUsers::Find(const std::string& name) const {
  auto it = Users.find(name);
  return it == Users.end() ? nullptr : it->second.get();
}

TUser* TUsers::Add(const std::string& name, const std::string& password,
                   std::optional<int32_t> avatar) {
  if (!TUser::isPlainName(name) || Find(Trim(name)) || !CanHoldProfile(Trim(name))) return nullptr;
  const bool existed = DirectoryExists(ProfileFolderOf(Trim(name)));
  auto user = std::make_unique<TUser>(this, name);
  // Without its folder the user could be neither authorized nor deleted; without the digest on
  // the disk it would, after a restart, let anyone in.
  if (!DirectoryExists(user->getProfileFolder()) || (avatar && !user->setAvatar(*avatar)) ||
      !user->setPassword(password)) {
    if (!existed) DeleteFolder(user->getProfileFolder());
    return nullptr;
  }
  TUser* added = user.get();
  Enter(std::move(user));
  return added;
}

bool TUsers::CanHoldProfile(const std::string& name) const {
  if (!canNameFolder(name)) return false;
  // A file of that name leaves no room for the folder.
  const std::string folder = ProfileFolderOf(name);
  return !std::filesystem::exists(std::filesystem::symlink_status(folder)) ||
         DirectoryExists(folder);
}

bool TUsers::canNameFolder(const std::string& name) const {
  long longest = pathconf(Directory.c_str(), _PC_NAME_MAX);
  if (longest <= 0) longest = NAME_MAX;
  return ToUtf8(name).size() <= static_cast<size_t>(longest);
}

std::string TUsers::ProfileFolderOf(const std::string& name) const {
  return Directory + "/" + ToUtf8(name);
}

bool TUsers::Remove(const std::string& name) {
  auto it = Users.find(name);
  if (it != Users.end()) {
    it->second.release();
    Users.erase(it);
  }
  for (int i = 0; i < Names.Count(); ++i) {
    if (Names.Strings(i) == name) {
      Names.Delete(i);
      break;
    }
  }
  return true;
}

void TUsers::Enter(std::unique_ptr<TUser> user) {
  // Keyed by the user's own, trimmed name, the one its Delete removes.
  const std::string name = user->getName();
  Names.Add(name);
  Users[name] = std::move(user);
}
