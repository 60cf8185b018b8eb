#include "users/gui/newpassword.h"

#include "foundation/gui/tmultilangform.h"
#include "toolkit/codepage.h"
#include "toolkit/gui/edit.h"

void AddNewPasswordMessages(TMultilangForm& window) {
  window.AddMessage("Error.PasswordCannotBeKept",
                    FromUtf8("Такой пароль не может быть сохранён: в нём есть символы, которых "
                             "нет в кодировке программы. Пожалуйста, выберите другой пароль."));
}

bool AcceptNewPassword(TMultilangForm& window, TEdit& password, TEdit& confirmation,
                       const std::string& differ) {
  // A letter the code page lacks would be digested as "?", so that other passwords would match
  // it; told first, since two such texts may compare equal.
  const bool kept = password.KeepsText() && confirmation.KeepsText();
  if (kept && password.Text() == confirmation.Text()) return true;
  window.ShowMessage(kept ? differ : "Error.PasswordCannotBeKept");
  // The characters cannot be seen: the password is typed anew, whole.
  password.setText("");
  confirmation.setText("");
  password.SetFocus();
  return false;
}
