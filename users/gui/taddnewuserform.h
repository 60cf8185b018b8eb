#pragma once
// The new-user window: an avatar, a name and a password typed twice; creates the user in the
// root's user list when every check passes, and then closes with OK. Every
// failed check is said and keeps the window open. Built for one modal run. User-interface
// thread only.

#include "foundation/gui/tmultilangform.h"

class TAction;
class TActionList;
class TEdit;
class TImage;
class TImageComboBox;
class TImageList;
class TLabel;
class TShape;
class TSpeedButton;

class TAddNewUserForm final : public TMultilangForm {
public:
  // The object is the application object (or any object whose root it is).
  TAddNewUserForm(TComponent* Owner, TLTObject* Object);

  // The window description (resources/addnewuserform.cpp).
  TShape* spFrame = nullptr;
  TImage* imHeader = nullptr;
  TLabel* lbTitle = nullptr;
  TLabel* lbAvatar = nullptr;
  TImageComboBox* jvAvatars = nullptr;
  TLabel* lbUserName = nullptr;
  TEdit* edNewUserName = nullptr;
  TLabel* lbPassword = nullptr;
  TEdit* edPassword = nullptr;
  TLabel* lbPasswordConfirmation = nullptr;
  TEdit* edPasswordConfirmation = nullptr;
  TSpeedButton* sbOk = nullptr;
  TImage* imClose = nullptr;
  TImageList* imAvatars = nullptr;
  TActionList* ActionList = nullptr;
  TAction* acCreateUser = nullptr;
  TAction* acClose = nullptr;

  // Lists every avatar ("0" to "107"), selects the first, and puts the focus on the name.
  void FormShow(TObject* Sender);
  // Says "Error.UserNotSaved" and stays open when the user list could not save the user.
  void acCreateUserExecute(TObject* Sender);
  void acCloseExecute(TObject* Sender);

protected:
  void CreateMessages() override;

private:
  void Describe();
};
