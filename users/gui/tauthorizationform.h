#pragma once
// The password prompt: asks for the password of one user before training, a password change
// or a deletion. Closes with OK only for the right password, typed with letters of the code
// page alone; a wrong one is said and may be typed again without limit. Built for one modal run.
// User-interface thread only.

#include "foundation/gui/tmultilangform.h"

class TAction;
class TActionList;
class TEdit;
class TImage;
class TLabel;
class TShape;
class TSpeedButton;
class TUser;

class TAuthorizationForm final : public TMultilangForm {
public:
  TAuthorizationForm(TComponent* Owner, TUser* User);

  // The window description (resources/authorizationform.cpp).
  TShape* spFrame = nullptr;
  TImage* imHeader = nullptr;
  TLabel* lbTitle = nullptr;
  TLabel* lbUserName = nullptr;
  TLabel* lbPassword = nullptr;
  TEdit* edPassword = nullptr;
  TSpeedButton* sbOk = nullptr;
  TImage* imClose = nullptr;
  TActionList* ActionList = nullptr;
  TAction* acOk = nullptr;
  TAction* acClose = nullptr;

  void acOkExecute(TObject* Sender);
  void acCloseExecute(TObject* Sender);

private:
  void Describe();

  TUser* User;
};
