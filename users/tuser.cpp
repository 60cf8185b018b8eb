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
#include "toolkit/sysutils.h"
#include "users/tusers.h"

namespace {

constexpr char kGeneral[] = "GENERAL";
constexpr char kPassword[] = "Password";
constexpr char kAvatar[] = "Avatar";

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
  };
  return messages;
}

}  // namespace

TUser::TUser(TUsers* owner, const std::string& name) : TLTObject(owner) {
  if (!isPlainName(name)) throw Exception("FB1904EA/F Program Error");
  for (const TDefaultMessage& message : DefaultMessages()) AddMessage(message.Name, message.Text);
  Name = Trim(name);
  // The profile holds the password's digest: the folder is its owner's alone, also one made
  // open to every account by an earlier release.
  const std::string folder = getProfileFolder();
  FileSystem().MakeFolders(folder, 0700);
  const TFileStatus status = FileSystem().Status(folder);
  if (status.Kind == TFileKind::Folder && (status.Mode & 0077))
    FileSystem().SetMode(folder, status.Mode & ~0077u);
  Options = std::make_unique<TIniOptions>(folder + "/Profile.ini", true);
  if (Options->ReadString(kGeneral, kPassword, "").empty()) setPassword("");
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

bool TUser::Authorize() { return CheckPassword("") || getRoot()->ShowAuthorization(this); }

void TUser::Train() {
  if (!Authorize()) return;
  while (TCourse* course = getRoot()->ShowStart(this)) course->RunSession(this);
}

bool TUser::ChangePassword() { return Authorize() && getRoot()->ChangePassword(this); }

bool TUser::Delete() {
  if (!Authorize() || !Confirm("ConfirmationToDelete")) return false;
  getUsers()->Remove(Name);
  if (!DeleteFolder(getProfileFolder())) return false;
  ShowMessage("Deleted");
  delete this;
  return true;
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
