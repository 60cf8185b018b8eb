#include "users/tuser.h"

#include <vector>

#include "engine/tcourse.h"
#include "foundation/filetools.h"
#include "foundation/scrypto.h"
#include "foundation/tinioptions.h"
#include "foundation/troot.h"
#include "platform/filesystem.h"
#include "toolkit/codepage.h"
#include "toolkit/exception.h"
#include "toolkit/messagebox.h"
#include "toolkit/sysutils.h"
#include "users/tusers.h"

namespace {

constexpr char kGeneral[] = "GENERAL";
constexpr char kPassword[] = "Password";
constexpr char kAvatar[] = "Avatar";
constexpr char kName[] = "Name";
constexpr char kStatistic[] = "Statistic";

struct TDefaultMessage {
  const char* Name;
  std::string Text;
};

// The messages in the order they are registered, their default texts in the system code page.
const std::vector<TDefaultMessage>& DefaultMessages() {
  static const std::vector<TDefaultMessage> messages = {
      {"PasswordIncorrect", FromUtf8("Неправильный пароль.")},
      {"PasswordChanged", FromUtf8("Установлен новый пароль для '%USER.NAME%'")},
      {"PasswordNotChanged",
       FromUtf8("Не удалось сохранить новый пароль для '%USER.NAME%': на диске нет места или нет "
                "доступа к папке пользователя. Прежний пароль остаётся в силе.")},
      {"ConfirmationToDelete",
       FromUtf8("Вы действительно хотите УДАЛИТЬ пользователя '%USER.NAME%' со всеми данными?")},
      {"Deleted", FromUtf8("Пользователь '%USER.NAME%' успешно удален")},
      {"DeletedFolderKept",
       FromUtf8("Пользователь '%USER.NAME%' удален, но его папка оставлена: в ней есть файлы, "
                "которые записала не программа.")},
      {"ProfileNotPrivate",
       FromUtf8("Не удалось закрыть папку пользователя '%USER.NAME%' от других учётных "
                "записей: %REASON%. Файл с паролем могут прочитать другие.")},
      {"InUse", FromUtf8("Пользователь '%USER.NAME%' сейчас занят другой копией программы: "
                         "закройте его там или выберите другого пользователя.")},
      {"Gone", FromUtf8("Пользователя '%USER.NAME%' больше нет: его папку удалили, возможно, "
                        "другой копией программы.")},
  };
  return messages;
}

}  // namespace

TUser::TUser(TUsers* owner, const std::string& name) : TLTObject(owner) {
  if (!isPlainName(name)) throw Exception("FB1904EA/F Program Error");
  for (const TDefaultMessage& message : DefaultMessages()) AddMessage(message.Name, message.Text);
  Name = Trim(name);
  Options = std::make_unique<TIniOptions>(getProfileFolder() + "/" + kProfileFile, true);
}

TUser::~TUser() = default;

std::string TUser::Format(const std::string& text) const {
  return ReplacePlaceholder(text, "USER.NAME", Name);
}

TUsers* TUser::getUsers() const { return static_cast<TUsers*>(getOwner()); }

std::string TUser::getProfileFolder() const { return getUsers()->ProfileFolderOf(Name); }

std::string TUser::getStatisticFolder(const std::string& course) const {
  return getProfileFolder() + "/" + course + "/Statistic";
}

bool TUser::setAvatar(int32_t index) {
  Options->WriteInteger(kGeneral, kAvatar, index);
  return Options->LastError.empty();
}

int32_t TUser::getAvatar() const { return Options->ReadInteger(kGeneral, kAvatar, 0); }

bool TUser::CheckPassword(const std::string& password) const {
  const std::string stored = Options->ReadString(kGeneral, kPassword, "");
  // No digest (a profile that could not be written) is no password, as at construction.
  return MD5Hex(password) == (stored.empty() ? MD5Hex("") : stored);
}

bool TUser::setPassword(const std::string& password) {
  Options->WriteString(kGeneral, kPassword, MD5Hex(password));
  return Options->LastError.empty();
}

bool TUser::Authorize() {
  if (!CheckPassword("") && !getRoot()->ShowAuthorization(this)) return false;
  // The profile holds the password's digest: its folder is its owner's alone.
  const std::string folder = getProfileFolder();
  const TFileStatus status = FileSystem().LinkStatus(folder);
  if (status.Kind == TFileKind::Folder && (status.Mode & 0077)) {
    if (const std::error_code failed = FileSystem().SetOwnMode(folder, status.Mode & ~0077u))
      MessageDlg(ReplacePlaceholder(getMessage("ProfileNotPrivate"), "REASON", failed.message()),
                 mtError);
  }
  return true;
}

void TUser::Train() {
  if (!Authorize()) return;
  while (TCourse* course = getRoot()->ShowStart(this)) course->RunSession(this);
}

bool TUser::ChangePassword() { return Authorize() && getRoot()->ChangePassword(this); }

namespace {

// A file that a save of the program writes: the name, or a temporary of it that a killed save
// left ("Profile.ini.~123.4").
bool IsSaveOf(const std::string& name, const std::string& file) {
  return name == file || name.compare(0, file.size() + 2, file + ".~") == 0;
}

bool IsStatisticFile(const std::string& name) {
  const size_t dot = name.find(".stat");
  return dot != std::string::npos && dot > 0 && IsSaveOf(name, name.substr(0, dot + 5));
}

// Removes the program's files in the folder (those `written` names), then the folder when that
// leaves it empty. False when a file of the program's could not be removed; `kept` when
// anything stays.
bool RemoveWritten(const std::string& folder, bool (*written)(const std::string&), bool& kept) {
  std::vector<std::string> names;
  if (FileSystem().ListFolder(folder, names)) return false;
  for (const std::string& name : names) {
    const std::string path = folder + "/" + name;
    if (FileSystem().LinkStatus(path).Kind == TFileKind::Regular && written(name)) {
      if (FileSystem().RemoveEntry(path)) return false;
    } else {
      kept = true;
    }
  }
  if (!kept && FileSystem().RemoveEntry(folder)) kept = true;
  return true;
}

}  // namespace

bool TUser::Delete() {
  if (!Authorize() || !Confirm("ConfirmationToDelete")) return false;
  getUsers()->Remove(Name);
  // Only what the program wrote goes: the statistics of each course folder, then the profile,
  // last, so that a failure before leaves a user whom the next start lists whole.
  const std::string folder = getProfileFolder();
  std::vector<std::string> names;
  if (FileSystem().LinkStatus(folder).Kind != TFileKind::Folder ||
      FileSystem().ListFolder(folder, names))
    return false;
  bool kept = false;
  for (const std::string& name : names) {
    const std::string course = folder + "/" + name, statistic = course + "/" + kStatistic;
    if (FileSystem().LinkStatus(course).Kind != TFileKind::Folder ||
        FileSystem().LinkStatus(statistic).Kind != TFileKind::Folder)
      continue;
    bool keptHere = false;
    if (!RemoveWritten(statistic, IsStatisticFile, keptHere) ||
        !RemoveWritten(
            course, [](const std::string&) { return false; }, keptHere))
      return false;
  }
  if (!RemoveWritten(
          folder, [](const std::string& name) { return IsSaveOf(name, kProfileFile); }, kept))
    return false;
  ShowMessage(kept ? "DeletedFolderKept" : "Deleted");
  delete this;
  return true;
}

bool TUser::WriteNewProfile(const std::string& folder, const std::string& name,
                            const std::string& password, std::optional<int32_t> avatar) {
  TIniOptions profile(folder + "/" + kProfileFile, true);
  {
    // One write of the whole file.
    TIniOptionsGroup whole(&profile);
    profile.WriteString(kGeneral, kPassword, MD5Hex(password));
    if (avatar) profile.WriteInteger(kGeneral, kAvatar, *avatar);
    profile.WriteString(kGeneral, kName, Trim(name));
  }
  return profile.LastError.empty();
}

std::string TUser::NameInProfile(const std::string& folder) {
  return TIniOptions(folder + "/" + kProfileFile, false).ReadString(kGeneral, kName, "");
}

bool TUser::WriteNameInProfile(const std::string& folder, const std::string& name) {
  TIniOptions profile(folder + "/" + kProfileFile, true);
  profile.WriteString(kGeneral, kName, name);
  return profile.LastError.empty();
}

bool TUser::isPlainName(const std::string& name) {
  const std::string trimmed = Trim(name);
  // The user list skips folders whose name begins with a dot ("." and ".." among them), so such
  // a user would not come back at the next start.
  if (trimmed.empty() || trimmed.front() == '.') return false;
  for (unsigned char c : trimmed)
    if (c == '/' || c < ' ' || c == 127) return false;
  // The folder is named in UTF-8: a byte that stands for no character would not come back.
  return FromUtf8(ToUtf8(trimmed)) == trimmed;
}
