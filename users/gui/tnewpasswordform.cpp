#include "users/gui/tnewpasswordform.h"

#include "toolkit/codepage.h"
#include "toolkit/gui/edit.h"
#include "toolkit/gui/label.h"
#include "users/gui/newpassword.h"
#include "users/tuser.h"

TNewPasswordForm::TNewPasswordForm(TComponent* Owner, TUser* User)
    : TMultilangForm(Owner), User(User) {
  Describe();
  Construct(User);
  lbUserName->setCaption(User->getName());
  OnShow = [this](TObject*) { edPassword->SetFocus(); };
}

void TNewPasswordForm::CreateMessages() {
  // Three r, as the localization file keys it.
  AddMessage("Error.PasswordConfirmationIncorrrect",
             FromUtf8("Содержание полей не совпадает.\nПожалуйста, попробуйте еще раз."));
  AddNewPasswordMessages(*this);
}

void TNewPasswordForm::acOkExecute(TObject*) {
  if (!AcceptNewPassword(*this, *edPassword, *edPasswordConfirmation,
                         "Error.PasswordConfirmationIncorrrect"))
    return;
  NewPassword = edPassword->Text();
  setModalResult(mrOk);
}

void TNewPasswordForm::acCancelExecute(TObject*) { setModalResult(mrCancel); }
