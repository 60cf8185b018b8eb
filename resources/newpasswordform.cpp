// The window description of the new-password window.

#include "resources/windowparts.h"
#include "toolkit/codepage.h"
#include "toolkit/colors.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/image.h"
#include "users/gui/tnewpasswordform.h"

void TNewPasswordForm::Describe() {
  setName("NewPasswordForm");
  setCaption("NewPasswordForm");
  DescribeAccountWindow(this, 261, 229, clBtnFace, 12, FromUtf8("Новый пароль"), spFrame, imHeader,
                        lbTitle);

  lbUserName = NewRightLabel(this, "lbUserName", 60, 48, 194);
  lbPassword = NewLabel(this, "lbPassword", 12, 68, FromUtf8("Новый пароль:"));
  edPassword = NewPasswordEdit(this, "edPassword", 12, 84, 237, 26);
  lbPasswordConfirmation =
      NewLabel(this, "lbPasswordConfirmation", 12, 116, FromUtf8("Повторите пароль:"));
  edPasswordConfirmation = NewPasswordEdit(this, "edPasswordConfirmation", 12, 132, 237, 26);

  ActionList = NewComponent<TActionList>(this, "ActionList");
  acOk = NewAction(this, "acOk", 13, [this](TObject* sender) { acOkExecute(sender); });
  acOk->setCaption("Ok");
  acCancel = NewAction(this, "acCancel", 27, [this](TObject* sender) { acCancelExecute(sender); });

  sbOk = NewAccountButton(this, 28, 172, FromUtf8("Применить"), acOk);
  imClose = NewClosePicture(this, 261);
  imClose->OnClick = [this](TObject* sender) { acCancelExecute(sender); };
}
