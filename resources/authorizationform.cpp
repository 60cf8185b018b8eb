// The window description of the password prompt.

#include "resources/windowparts.h"
#include "toolkit/codepage.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/image.h"
#include "users/gui/tauthorizationform.h"

void TAuthorizationForm::Describe() {
  setName("AuthorizationForm");
  setCaption("AuthorizationForm");
  setFormStyle(fsStayOnTop);
  DescribeAccountWindow(this, 222, 181, clWhite, 13, FromUtf8("Авторизация"), spFrame, imHeader,
                        lbTitle);

  lbUserName = NewRightLabel(this, "lbUserName", 6, 48, 210);
  lbPassword = NewLabel(this, "lbPassword", 12, 68, FromUtf8("Введите Ваш пароль:"));
  edPassword = NewPasswordEdit(this, "edPassword", 12, 84, 198, 25);

  ActionList = NewComponent<TActionList>(this, "ActionList");
  acOk = NewAction(this, "acOk", 13, [this](TObject* sender) { acOkExecute(sender); });
  acClose = NewAction(this, "acClose", 27, [this](TObject* sender) { acCloseExecute(sender); });

  sbOk = NewAccountButton(this, 11, 124, FromUtf8("Продолжить"), acOk);
  imClose = NewClosePicture(this, 222);
  imClose->OnClick = [this](TObject* sender) { acCloseExecute(sender); };
}
