#include "users/gui/tnewpasswordform.h"

#include "toolkit/codepage.h"
#include "toolkit/gui/edit.h"
#include "toolkit/gui/label.h"
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
}

void TNewPasswordForm::acOkExecute(TObject*) {
  if (edPassword->Text() == edPasswordConfirmation->Text()) {
    NewPassword = edPassword->Text();
    setModalResult(mrOk);
    return;
  }
  ShowMessage("Error.PasswordConfirmationIncorrrect");
  edPassword->setText("");
  edPasswordConfirmation->setText("");
  edPassword->SetFocus();
}

void TNewPasswordForm::acCancelExecute(TObject*) { setModalResult(mrCancel); }
