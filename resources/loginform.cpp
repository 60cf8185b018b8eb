// The window description of the login window.

#include "resources/windowparts.h"
#include "toolkit/codepage.h"
#include "toolkit/colors.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/image.h"
#include "toolkit/gui/listview.h"
#include "toolkit/gui/popupmenu.h"
#include "toolkit/gui/shape.h"
#include "toolkit/gui/speedbutton.h"
#include "users/gui/tloginform.h"

void TLoginForm::Describe() {
  setName("LoginForm");
  setCaption("Lomtak Login");
  setBorderStyle(bsNone);
  setPosition(poScreenCenter);
  setClientWidth(331);
  setClientHeight(330);
  setColor(clWhite);

  Shape2 = NewControl<TShape>(this, this, "Shape2", 0, 0, 331, 330);
  Shape2->Pen()->setColor(0x8C6A4A);
  imBackground = NewControl<TImage>(this, this, "imBackground", 5, 5, 321, 320);
  ShowPhoto(imBackground, "LOGIN_BACKGROUND");
  imBackground->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x,
                                     int y) { imBackgroundMouseDown(sender, button, shift, x, y); };
  imClose = NewClosePicture(this, 331);
  Shape1 = NewControl<TShape>(this, this, "Shape1", 10, 91, 312, 148);
  Shape1->Pen()->setStyle(psClear);
  imAvatars = NewAvatars(this, "imAvatars");

  ActionList = NewComponent<TActionList>(this, "ActionList");
  auto action = [this](const char* name, int key, void (TLoginForm::*handler)(TObject*)) {
    return NewAction(this, name, key,
                     [this, handler](TObject* sender) { (this->*handler)(sender); });
  };
  acUpdate = action("acUpdate", 0, &TLoginForm::acUpdateExecute);
  acOnUserSelect = action("acOnUserSelect", 0, &TLoginForm::acOnUserSelectExecute);
  acUserTeach = action("acUserTeach", 13, &TLoginForm::acUserTeachExecute);
  acNewUser = action("acNewUser", 45, &TLoginForm::acNewUserExecute);
  acNewUser->setCaption(FromUtf8("      Добавить ученика"));
  acClose = action("acClose", 27, &TLoginForm::acCloseExecute);

  pmUserActions = NewComponent<TPopupMenu>(this, "pmUserActions");
  auto item = [this](const char* name, const char* caption, const char* picture,
                     void (TLoginForm::*handler)(TObject*)) {
    TMenuItem* made = NewComponent<TMenuItem>(this, name);
    made->setCaption(FromUtf8(caption));
    LoadGlyph(made->Bitmap(), picture);
    made->OnClick = [this, handler](TObject* sender) { (this->*handler)(sender); };
    pmUserActions->Add(made);
    return made;
  };
  miUserTeach =
      item("miUserTeach", "Начать обучение", "MENU_TEACH", &TLoginForm::acUserTeachExecute);
  miUserChangePassword = item("miUserChangePassword", "Изменить пароль", "MENU_PASSWORD",
                              &TLoginForm::miUserChangePasswordClick);
  miUserDelete = item("miUserDelete", "Удалить", "MENU_DELETE", &TLoginForm::miUserDeleteClick);

  lvUserList = NewControl<TListView>(this, this, "lvUserList", 11, 92, 309, 145);
  lvUserList->setCursor(crHandPoint);
  lvUserList->setBorderless(true);
  lvUserList->setSmallImages(imAvatars);
  lvUserList->setSortByCaption(true);
  lvUserList->setColor(clWhite);
  lvUserList->setPopupMenu(pmUserActions);
  lvUserList->OnSelectItem = [this](TObject* sender, TListItem* row, bool selected) {
    lvUserListSelectItem(sender, row, selected);
  };
  lvUserList->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x,
                                   int y) { lvUserListMouseDown(sender, button, shift, x, y); };

  lbCreate = NewPictureButton(this, "lbCreate", 65, 245, 200, 60, "BUTTON_ADD_USER",
                              FromUtf8("         Добавить ученика"), 20, acNewUser);

  OnCreate = [this](TObject* sender) { acUpdateExecute(sender); };
  OnShow = [this](TObject* sender) { acUpdateExecute(sender); };
  OnClick = [this](TObject* sender) { acUpdateExecute(sender); };
  imClose->OnClick = [this](TObject* sender) { acCloseExecute(sender); };
}
