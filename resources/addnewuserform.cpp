// The window description of the new-user window.

#include "resources/windowparts.h"
#include "toolkit/codepage.h"
#include "toolkit/colors.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/edit.h"
#include "toolkit/gui/image.h"
#include "toolkit/gui/imagecombobox.h"
#include "users/gui/taddnewuserform.h"

void TAddNewUserForm::Describe() {
  setName("AddNewUserForm");
  setCaption("AddNewUserForm");
  DescribeAccountWindow(this, 261, 317, clBtnFace, 12, FromUtf8("Новый ученик"), spFrame, imHeader,
                        lbTitle);
  imAvatars = NewAvatars(this, "imAvatars");

  lbAvatar = NewLabel(this, "lbAvatar", 12, 68, FromUtf8("Иконка:"));
  jvAvatars = NewControl<TImageComboBox>(this, this, "jvAvatars", 12, 84, 57, 26);
  jvAvatars->setImages(imAvatars);
  jvAvatars->setDropDownWidth(57);
  lbUserName = NewLabel(this, "lbUserName", 12, 116, FromUtf8("Имя нового ученика:"));
  edNewUserName = NewControl<TEdit>(this, this, "edNewUserName", 12, 132, 237, 26);
  edNewUserName->Font()->setName("Arial Narrow");
  edNewUserName->Font()->setHeight(-15);
  lbPassword = NewLabel(this, "lbPassword", 12, 164, FromUtf8("Пароль:"));
  edPassword = NewPasswordEdit(this, "edPassword", 12, 180, 237, 26);
  lbPasswordConfirmation =
      NewLabel(this, "lbPasswordConfirmation", 12, 212, FromUtf8("Повторите пароль:"));
  edPasswordConfirmation = NewPasswordEdit(this, "edPasswordConfirmation", 12, 228, 237, 26);

  ActionList = NewComponent<TActionList>(this, "ActionList");
  acCreateUser =
      NewAction(this, "acCreateUser", 13, [this](TObject* sender) { acCreateUserExecute(sender); });
  acClose = NewAction(this, "acClose", 27, [this](TObject* sender) { acCloseExecute(sender); });

  sbOk = NewAccountButton(this, 28, 264, FromUtf8("Создать"), acCreateUser);
  imClose = NewClosePicture(this, 261);
  imClose->OnClick = [this](TObject* sender) { acCloseExecute(sender); };
  OnShow = [this](TObject* sender) { FormShow(sender); };
}
