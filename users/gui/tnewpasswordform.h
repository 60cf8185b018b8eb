#pragma once
// The new-password window: a new password for one user, typed twice. Closes with OK when both
// agree and the code page has every letter of it, keeping the password for the caller to store.
// Built for one modal run. User-interface thread only.

#include <string>

#include "foundation/gui/tmultilangform.h"

class TAction;
class TActionList;
class TEdit;
class TImage;
class TLabel;
class TShape;
class TSpeedButton;
class TUser;

class TNewPasswordForm final : public TMultilangForm {
public:
  TNewPasswordForm(TComponent* Owner, TUser* User);

  // The window description (resources/newpasswordform.cpp).
  TShape* spFrame = nullptr;
  TImage* imHeader = nullptr;
  TLabel* lbTitle = nullptr;
  TLabel* lbUserName = nullptr;
  TLabel* lbPassword = nullptr;
  TEdit* edPassword = nullptr;
  TLabel* lbPasswordConfirmation = nullptr;
  TEdit* edPasswordConfirmation = nullptr;
  TSpeedButton* sbOk = nullptr;
  TImage* imClose = nullptr;
  TActionList* ActionList = nullptr;
  TAction* acOk = nullptr;
  TAction* acCancel = nullptr;

  // The password accepted; "" until the window accepts one.
  const std::string& getNewPassword() const { return NewPassword; }

  void acOkExecute(TObject* Sender);
  void acCancelExecute(TObject* Sender);

protected:
  void CreateMessages() override;

private:
  void Describe();

  TUser* User;
  std::string NewPassword;
};
