#pragma once
// One user: the name, the profile folder named after it inside the users folder, and the store
// of its Profile.ini (password digest, avatar, the state of windows and views), which it owns.
// Owned by the user list. Every value is read from and written to the file when it is needed.
// User-interface thread only.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "foundation/tltobject.h"

class TIniOptions;
class TUsers;

class TUser : public TLTObject {
public:
  // The profile's file in the profile folder: a folder that holds it is a user's.
  static constexpr char kProfileFile[] = "Profile.ini";

  // Trims the name; touches nothing on the disk (the user list makes the profile of a new
  // user). Raises "FB1904EA/F Program Error" for a name that is no plain user name (isPlainName).
  TUser(TUsers* owner, const std::string& name);
  ~TUser() override;

  // Fills "%USER.NAME%" with the user's name.
  std::string Format(const std::string& text) const override;

  TUsers* getUsers() const;
  TIniOptions* getOptions() const { return Options.get(); }
  const std::string& getName() const { return Name; }
  // The users folder + "/" + the name in UTF-8.
  std::string getProfileFolder() const;
  // Where the statistics of the user's runs in that course go: the profile folder + "/" + the
  // course name + "/Statistic".
  std::string getStatisticFolder(const std::string& course) const;

  // Each setter is true when the value reached the profile on the disk.
  bool setAvatar(int32_t index);
  // Raises EConvertError when the stored value is not a number.
  int32_t getAvatar() const;

  // True when the MD5 digest of the password, as it stands, equals the stored digest exactly;
  // a profile without a digest has the empty password.
  bool CheckPassword(const std::string& password) const;
  // Stores the digest; the empty password removes the protection.
  bool setPassword(const std::string& password);

  // True when the user may act: at once for a user without a password, else when the
  // password prompt was answered with the right password. Then the profile folder is made its
  // owner's alone (an earlier release left it open to every account); a failure says so in the
  // message "ProfileNotPrivate".
  bool Authorize();
  // After authorization: the start window, and the training screen of each course chosen
  // there, until the start window is left.
  void Train();
  // After authorization: the new-password window; true when a new password was stored.
  bool ChangePassword();
  // After authorization and a Yes to "ConfirmationToDelete": leaves the list, deletes what the
  // program wrote in the profile folder (the course folders' statistics, the profile last) and
  // the folder when that leaves it empty, shows "Deleted" (or "DeletedFolderKept" when other
  // files kept the folder) and deletes this object. False, with the object alive, when any step
  // fails; the user then stays out of the list, and, its profile being still there, is listed
  // again at the next start.
  bool Delete();

  // Writes the Profile.ini of a new user into the folder, in one piece and on the disk: the
  // password's digest, the avatar when given, and the name, which tells at a later start which
  // name the folder's name stands for. True when it reached the disk.
  static bool WriteNewProfile(const std::string& folder, const std::string& name,
                              const std::string& password, std::optional<int32_t> avatar);
  // The name written into the profile in the folder, empty when there is none; writes nothing.
  static std::string NameInProfile(const std::string& folder);
  // Writes the name into the profile in the folder (the profile of an earlier release); true
  // when it reached the disk.
  static bool WriteNameInProfile(const std::string& folder, const std::string& name);

  // Whether the name, trimmed, can be a profile folder of its own inside the users folder that
  // the next start lists again: not empty, no "." at its start, no "/", no control character and
  // no byte that stands for no character of the code page.
  static bool isPlainName(const std::string& name);

private:
  std::string Name;
  std::unique_ptr<TIniOptions> Options;
};
