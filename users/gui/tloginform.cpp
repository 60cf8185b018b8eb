#include "users/gui/tloginform.h"

#include "foundation/gui/draggedwindow.h"
#include "foundation/troot.h"
#include "toolkit/exception.h"
#include "toolkit/gui/listview.h"
#include "toolkit/stringlist.h"
#include "users/tuser.h"
#include "users/tuserlock.h"
#include "users/tusers.h"

namespace {

// The row's picture; a profile whose avatar is no number shows none.
int AvatarOf(const TUser* user) {
  try {
    return user->getAvatar();
  } catch (const EConvertError&) {
    return -1;
  }
}

}  // namespace

TLoginForm::TLoginForm(TComponent* Owner, TLTObject* Object) : TMultilangForm(Owner) {
  Describe();
  Construct(Object);
  Users = getRoot()->getUsers();
}

TUser* TLoginForm::SelectUser() {
  // Profiles the list passed over are said once, before anyone is chosen.
  Users->ReportUnlisted();
  if (Users->getCount() == 0 && !getRoot()->ShowAddNewUser()) return nullptr;
  return ShowModal() == mrOk ? SelectedUser : nullptr;
}

void TLoginForm::acUpdateExecute(TObject*) {
  const TStringList names = Users->getNames();
  lvUserList->ClearSelection();
  lvUserList->Clear();
  for (int i = 0; i < names.Count(); ++i) {
    if (TUser* user = Users->Find(names.Strings(i)))
      lvUserList->Add(names.Strings(i), AvatarOf(user));
  }
}

void TLoginForm::acOnUserSelectExecute(TObject*) {
  TListItem* row = lvUserList->Selected();
  if (row && !row->Caption().empty()) SelectedUser = Users->Find(row->Caption());
}

void TLoginForm::acUserTeachExecute(TObject*) { setModalResult(mrOk); }

void TLoginForm::acNewUserExecute(TObject*) {
  getRoot()->ShowAddNewUser();
  acUpdateExecute(this);
}

void TLoginForm::acCloseExecute(TObject*) { Close(); }

void TLoginForm::miUserChangePasswordClick(TObject*) {
  if (SelectedUser) SelectedUser->ChangePassword();
}

void TLoginForm::miUserDeleteClick(TObject*) {
  if (!SelectedUser) return;
  // Not while another copy of the program trains the user.
  TUserLock lock;
  if (!lock.Take(*SelectedUser) || !SelectedUser->Delete()) return;
  // The user is gone: Enter and a click now act as with no user remembered.
  SelectedUser = nullptr;
  acUpdateExecute(this);
}

void TLoginForm::lvUserListSelectItem(TObject* Sender, TListItem*, bool) {
  acOnUserSelectExecute(Sender);
}

void TLoginForm::lvUserListMouseDown(TObject*, TMouseButton Button, TShiftState, int, int) {
  if (Button == mbLeft && SelectedUser) acUserTeachExecute(this);
}

void TLoginForm::imBackgroundMouseDown(TObject* Sender, TMouseButton Button, TShiftState, int X,
                                       int Y) {
  DragWithMainWindow(this, Sender, Button, X, Y);
}
