#include "users/gui/tauthorizationform.h"

#include "toolkit/gui/edit.h"
#include "toolkit/gui/label.h"
#include "users/tuser.h"

TAuthorizationForm::TAuthorizationForm(TComponent* Owner, TUser* User)
    : TMultilangForm(Owner), User(User) {
  Describe();
  Construct(User);
  lbUserName->setCaption(User->getName());
  OnShow = [this](TObject*) { edPassword->SetFocus(); };
}

void TAuthorizationForm::acOkExecute(TObject*) {
  // A letter the code page lacks comes out as "?", which would match a "?" of the password.
  if (edPassword->KeepsText() && User->CheckPassword(edPassword->Text())) {
    setModalResult(mrOk);
    return;
  }
  User->ShowMessage("PasswordIncorrect");
  edPassword->setText("");
  edPassword->SetFocus();
}

void TAuthorizationForm::acCloseExecute(TObject*) { Close(); }
