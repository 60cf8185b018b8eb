#pragma once
// The login window, the first window a person sees: the users with their avatars, a button to
// add one, and a popup menu to start, change the password of or delete the user of a row. With
// no users yet the new-user window comes first. Built for one pass of the login loop, so each
// pass starts with no remembered user and a fresh list. User-interface thread only.

#include "foundation/gui/tmultilangform.h"

class TAction;
class TActionList;
class TImage;
class TImageList;
class TListItem;
class TListView;
class TMenuItem;
class TPopupMenu;
class TShape;
class TSpeedButton;
class TUser;
class TUsers;

class TLoginForm final : public TMultilangForm {
public:
  // The object is the application object (or any object whose root it is); the window shows
  // its root's users.
  TLoginForm(TComponent* Owner, TLTObject* Object);

  // The new-user window first when there are no users (none when it is cancelled); then this
  // window modally: the remembered user when it closed with OK, else none.
  TUser* SelectUser();

  // The window description (resources/loginform.cpp).
  TShape* Shape2 = nullptr;
  TImage* imBackground = nullptr;
  TImage* imClose = nullptr;
  TShape* Shape1 = nullptr;
  TListView* lvUserList = nullptr;
  TSpeedButton* lbCreate = nullptr;
  TPopupMenu* pmUserActions = nullptr;
  TMenuItem* miUserTeach = nullptr;
  TMenuItem* miUserChangePassword = nullptr;
  TMenuItem* miUserDelete = nullptr;
  TImageList* imAvatars = nullptr;
  TActionList* ActionList = nullptr;
  TAction* acUpdate = nullptr;
  TAction* acOnUserSelect = nullptr;
  TAction* acUserTeach = nullptr;
  TAction* acNewUser = nullptr;
  TAction* acClose = nullptr;

  // Refills the list from the user list, sorted, no row selected; the remembered user stays.
  void acUpdateExecute(TObject* Sender);
  void acOnUserSelectExecute(TObject* Sender);
  void acUserTeachExecute(TObject* Sender);
  void acNewUserExecute(TObject* Sender);
  void acCloseExecute(TObject* Sender);
  void miUserChangePasswordClick(TObject* Sender);
  void miUserDeleteClick(TObject* Sender);
  void lvUserListSelectItem(TObject* Sender, TListItem* Item, bool Selected);
  void lvUserListMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void imBackgroundMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  TUser* getSelectedUser() const { return SelectedUser; }

private:
  void Describe();

  TUsers* Users;
  TUser* SelectedUser = nullptr;
};
