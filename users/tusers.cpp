#include "users/tusers.h"

#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/tenvironment.h"
#include "foundation/troot.h"
#include "platform/filesystem.h"
#include "toolkit/codepage.h"
#include "toolkit/messagebox.h"
#include "toolkit/random.h"
#include "toolkit/sysutils.h"
#include "users/tuser.h"

namespace {

struct TDefaultMessage {
  const char* Name;
  const char* Text;  // UTF-8
};

// The notice at start and its reasons, one line each: the folder's name, then the reason.
const TDefaultMessage kMessages[] = {
    {"Unlisted", "Эти профили не показаны в списке пользователей:\n%PROFILES%"},
    {"Unlisted.UsersFolder", "папку пользователей не удалось открыть (%REASON%)"},
    {"Unlisted.Link", "папка профиля — ссылка на другое место"},
    {"Unlisted.OtherAccount", "профиль принадлежит другой учётной записи"},
    {"Unlisted.ProfileIsLink", "файл Profile.ini — ссылка на другое место"},
    {"Unlisted.ProfileIsNoFile", "Profile.ini — не обычный файл"},
    {"Unlisted.NoName", "имя папки не может быть именем пользователя"},
    {"Unlisted.UndefinedByte", "в имени папки есть байт, которому нет буквы в кодировке программы"},
    {"Unlisted.TwoNames",
     "имя папки читается и как '%NAME%', и как '%OTHER%', а профиль не говорит, чей он"},
    {"Unlisted.LettersOutsideCodePage",
     "в имени папки есть буквы, которых нет в кодировке программы; если это старое имя "
     "'%OTHER%', профиль не говорит об этом"},
    {"Unlisted.Twin", "не перенесён в папку '%NAME%': папка с этим именем уже есть"},
    {"Unlisted.FileInTheWay", "не перенесён в папку '%NAME%': на этом месте лежит файл"},
    {"Unlisted.TooLong",
     "не перенесён в папку '%NAME%': имя в UTF-8 длиннее, чем позволяет файловая система"},
    {"Unlisted.NotMoved", "не перенесён в папку '%NAME%' (%REASON%)"},
};

// A folder's name as a message shows it: its characters in the code page, "?" for those the
// code page lacks and for bytes that stand for no character.
std::string Shown(const std::string& folder) {
  return FromUtf8(IsUtf8(folder) ? folder : ToUtf8(folder));
}

// A user name this folder name stands for exactly: the folder named as this release names it,
// or as an earlier one did.
bool IsNameOf(const std::string& name, const std::string& folder, bool utf8) {
  return TUser::isPlainName(name) && name == Trim(name) && (utf8 ? ToUtf8(name) : name) == folder;
}

// Where the whole profile of a new user is written before it is moved into place: hidden from
// the listing by its dot.
std::string NewFolderName() { return ".~new~" + IntToStr(Rand()) + "~"; }

}  // namespace

TUsers::TUsers(TRoot* owner) : TLTObject(owner) {
  for (const TDefaultMessage& message : kMessages) AddMessage(message.Name, FromUtf8(message.Text));
  setDirectory(getRoot()->getEnvironment()->getUsersDir());
  Load();
}

TUsers::~TUsers() { Clear(); }

bool TUsers::setDirectory(const std::string& folder) {
  const std::error_code failed = FileSystem().MakeFolders(folder, 0700);
  DirectoryFailure = failed ? failed.message() : "";
  Directory = folder;
  return !failed;
}

void TUsers::Note(const std::string& folder, const std::string& reason,
                  std::initializer_list<std::pair<const char*, std::string>> values) {
  std::string text = getMessage(reason);
  for (const auto& [placeholder, value] : values)
    text = ReplacePlaceholder(text, placeholder, value);
  Unlisted.push_back("'" + Shown(folder) + "': " + text);
}

void TUsers::Load() {
  Clear();
  Unlisted.clear();
  std::vector<std::string> folders;
  const std::error_code failed = FileSystem().ListFolder(Directory, folders);
  if (failed) {
    Note(Directory, "Unlisted.UsersFolder",
         {{"REASON", DirectoryFailure.empty() ? failed.message() : DirectoryFailure}});
    return;
  }
  for (const std::string& folder : folders) {
    if (folder.front() == '.' || !IsOwnProfile(folder)) continue;
    const std::string name = NameOfFolder(folder);
    if (!name.empty()) Enter(std::make_unique<TUser>(this, name));
  }
}

bool TUsers::IsOwnProfile(const std::string& folder) {
  const std::string path = Directory + "/" + folder, profile = path + "/" + TUser::kProfileFile;
  const TFileStatus status = FileSystem().LinkStatus(path);
  switch (status.Kind) {
    case TFileKind::Link:
      // Written through, it would write wherever the link leads.
      if (FileSystem().Status(path).Kind == TFileKind::Folder &&
          FileSystem().Status(profile).Kind == TFileKind::Regular)
        Note(folder, "Unlisted.Link");
      return false;
    case TFileKind::Folder: break;
    default: return false;
  }
  const TFileStatus file = FileSystem().LinkStatus(profile);
  if (status.Owner != ThisAccount()) {
    // Another account's profile, shown or kept private: its digest is not this account's to
    // check, its files not this account's to write.
    std::vector<std::string> inside;
    if (file.Kind != TFileKind::Missing || FileSystem().ListFolder(path, inside))
      Note(folder, "Unlisted.OtherAccount");
    return false;
  }
  switch (file.Kind) {
    case TFileKind::Missing:
      // An ordinary folder: nothing the program made.
      return false;
    case TFileKind::Link: Note(folder, "Unlisted.ProfileIsLink"); return false;
    case TFileKind::Regular:
      if (file.Owner == ThisAccount()) return true;
      Note(folder, "Unlisted.OtherAccount");
      return false;
    default: Note(folder, "Unlisted.ProfileIsNoFile"); return false;
  }
}

std::string TUsers::NameOfFolder(const std::string& folder) {
  // This release names the folder in UTF-8, an earlier one in the code page. Most names read
  // one way only; one that reads both ways is the name its profile holds.
  const bool utf8 = IsUtf8(folder);
  const std::string asUtf8 = utf8 ? FromUtf8(folder) : "";
  const bool isUtf8Name = utf8 && IsNameOf(asUtf8, folder, true);
  // Plain ASCII reads the same both ways.
  const bool isOldName = IsNameOf(folder, folder, false) && ToUtf8(folder) != folder;
  if (isUtf8Name && !isOldName) return asUtf8;
  if (!isOldName) {
    const bool undefined = !utf8 && FromUtf8(ToUtf8(folder)) != folder;
    Note(folder, undefined ? "Unlisted.UndefinedByte" : "Unlisted.NoName");
    return "";
  }
  if (utf8) {
    const std::string named = TUser::NameInProfile(Directory + "/" + folder);
    if (isUtf8Name && named == asUtf8) return asUtf8;
    if (named != folder) {
      Note(folder, isUtf8Name ? "Unlisted.TwoNames" : "Unlisted.LettersOutsideCodePage",
           {{"NAME", asUtf8}, {"OTHER", folder}});
      return "";
    }
  }
  return MoveToUtf8(folder) ? folder : "";
}

bool TUsers::MoveToUtf8(const std::string& folder) {
  const std::string from = Directory + "/" + folder, to = ProfileFolderOf(folder);
  const auto refuse = [&](const char* reason, const std::string& detail = "") {
    Note(folder, reason, {{"NAME", folder}, {"REASON", detail}});
    return false;
  };
  if (!canNameFolder(folder)) return refuse("Unlisted.TooLong");
  const TFileKind there = FileSystem().LinkStatus(to).Kind;
  if (there == TFileKind::Folder) return refuse("Unlisted.Twin");
  if (there != TFileKind::Missing) return refuse("Unlisted.FileInTheWay");
  // Its new name may read in the code page as another name: the profile says whose it is.
  if (!TUser::WriteNameInProfile(from, folder))
    return refuse("Unlisted.NotMoved",
                  std::string(TUser::kProfileFile) + ": " + FromUtf8("не записан"));
  if (const std::error_code failed = FileSystem().MoveNew(from, to)) {
    if (failed != std::errc::file_exists && failed != std::errc::directory_not_empty)
      return refuse("Unlisted.NotMoved", failed.message());
    return refuse(FileSystem().LinkStatus(to).Kind == TFileKind::Folder ? "Unlisted.Twin"
                                                                        : "Unlisted.FileInTheWay");
  }
  return true;
}

void TUsers::ReportUnlisted() {
  if (Reported || Unlisted.empty()) return;
  Reported = true;
  std::string lines;
  for (const std::string& line : Unlisted) lines += (lines.empty() ? "" : "\r\n") + line;
  MessageDlg(ReplacePlaceholder(getMessage("Unlisted"), "PROFILES", lines), mtInformation);
}

void TUsers::Clear() {
  Names.Clear();
  Users.clear();
}

TUser* TUsers::Find(const std::string& name) const {
  auto it = Users.find(name);
  return it == Users.end() ? nullptr : it->second.get();
}

bool TUsers::isTaken(const std::string& name) const {
  const std::string trimmed = Trim(name);
  return Find(trimmed) ||
         FileSystem().LinkStatus(ProfileFolderOf(trimmed)).Kind != TFileKind::Missing;
}

TUser* TUsers::Add(const std::string& name, const std::string& password,
                   std::optional<int32_t> avatar) {
  const std::string trimmed = Trim(name);
  if (!TUser::isPlainName(name) || !canNameFolder(trimmed) || isTaken(trimmed) ||
      !MakeProfile(trimmed, password, avatar))
    return nullptr;
  auto user = std::make_unique<TUser>(this, trimmed);
  TUser* added = user.get();
  Enter(std::move(user));
  return added;
}

bool TUsers::MakeProfile(const std::string& name, const std::string& password,
                         std::optional<int32_t> avatar) {
  // A user whose folder is there is listed at the next start: the folder comes into place only
  // with its whole profile in it, on the disk, so that a kill leaves no user or the whole one.
  std::string made;
  std::error_code failed = std::make_error_code(std::errc::file_exists);
  for (int attempt = 0; attempt < 10 && failed == std::errc::file_exists; ++attempt) {
    made = Directory + "/" + NewFolderName();
    failed = FileSystem().MakeFolder(made, 0700);
  }
  if (failed) return false;
  // Not in place of anything: a folder that appeared meanwhile is another copy's user.
  if (!TUser::WriteNewProfile(made, name, password, avatar) ||
      FileSystem().MoveNew(made, ProfileFolderOf(name))) {
    FileSystem().Remove(made);
    return false;
  }
  // Else the user may be gone after a crash although it was reported made.
  if (FileSystem().SyncFolder(Directory)) {
    FileSystem().Remove(ProfileFolderOf(name));
    return false;
  }
  return true;
}

bool TUsers::canNameFolder(const std::string& name) const {
  return ToUtf8(name).size() <= FileSystem().LongestName(Directory);
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
