#include "users/gui/taddnewuserform.h"

#include <string>

#include "foundation/troot.h"
#include "toolkit/codepage.h"
#include "toolkit/gui/edit.h"
#include "toolkit/gui/imagecombobox.h"
#include "toolkit/gui/imagelist.h"
#include "toolkit/sysutils.h"
#include "users/gui/newpassword.h"
#include "users/tuser.h"
#include "users/tusers.h"

TAddNewUserForm::TAddNewUserForm(TComponent* Owner, TLTObject* Object) : TMultilangForm(Owner) {
  Describe();
  Construct(Object);
}

void TAddNewUserForm::CreateMessages() {
  AddMessage("Error.UserNameIsRequired", FromUtf8("Не заданно имя пользователя"));
  AddMessage("Error.UserAlreadyExists",
             FromUtf8("Не могу создать, т.к пользователь с таким именем уже существует"));
  AddMessage("Error.PasswordConfirmationIncorrect", FromUtf8("Ошибка в повторении пароля"));
  AddMessage("Error.UserNameCannotBeKept",
             FromUtf8("Такое имя не может быть сохранено без изменений: в нём есть символы, "
                      "которых нет в кодировке программы, или оно слишком длинное. Пожалуйста, "
                      "выберите другое имя."));
  AddMessage("Error.UserNotSaved",
             FromUtf8("Не удалось сохранить пользователя: на диске нет места или нет доступа к "
                      "папке пользователей. Пользователь не создан."));
  AddMessage("Error.UserNameIsNotAllowed",
             FromUtf8("Недопустимое имя пользователя: оно не может содержать \"/\" и "
                      "управляющие символы или начинаться с точки"));
  AddNewPasswordMessages(*this);
}

void TAddNewUserForm::FormShow(TObject*) {
  jvAvatars->Items()->Clear();
  for (int index = 0; index < imAvatars->Count(); ++index)
    jvAvatars->AddItem(std::to_string(index), index);
  jvAvatars->setItemIndex(0);
  edNewUserName->SetFocus();
}

void TAddNewUserForm::acCreateUserExecute(TObject*) {
  const std::string name = Trim(edNewUserName->Text());
  TUsers* users = getRoot()->getUsers();
  if (name.empty()) {
    ShowMessage("Error.UserNameIsRequired");
    edNewUserName->SetFocus();
    return;
  }
  // Stored otherwise than typed ("Zoë" as "Zo?"), it would be another name.
  if (!edNewUserName->KeepsText() || !users->canNameFolder(name)) {
    ShowMessage("Error.UserNameCannotBeKept");
    edNewUserName->SetFocus();
    return;
  }
  // Such a name could not name a profile folder of its own.
  if (!TUser::isPlainName(name)) {
    ShowMessage("Error.UserNameIsNotAllowed");
    edNewUserName->SetFocus();
    return;
  }
  // Also a folder of that name on the disk: another copy of the program may have made the user.
  if (users->isTaken(name)) {
    ShowMessage("Error.UserAlreadyExists");
    return;
  }
  if (!AcceptNewPassword(*this, *edPassword, *edPasswordConfirmation,
                         "Error.PasswordConfirmationIncorrect"))
    return;
  // Every check of the name has passed: another copy of the program has made the user since, or
  // the disk refused it.
  if (!users->Add(name, edPassword->Text(), jvAvatars->ItemIndex())) {
    ShowMessage(users->isTaken(name) ? "Error.UserAlreadyExists" : "Error.UserNotSaved");
    return;
  }
  setModalResult(mrOk);
}

void TAddNewUserForm::acCloseExecute(TObject*) { Close(); }
