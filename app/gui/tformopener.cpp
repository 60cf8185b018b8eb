#include "app/gui/tformopener.h"

#include "app/gui/tsessionform.h"
#include "app/gui/tstartform.h"
#include "foundation/troot.h"
#include "toolkit/gui/application.h"
#include "toolkit/gui/component.h"
#include "users/gui/taddnewuserform.h"
#include "users/gui/tauthorizationform.h"
#include "users/gui/tloginform.h"
#include "users/gui/tnewpasswordform.h"
#include "users/tuser.h"

namespace {

// The window built with no owner, freed on every way out of the caller.
template <class TWindow, class TObjectOf>
TOwnedPtr<TWindow> Build(TObjectOf* object) {
  return TOwnedPtr<TWindow>(new TWindow(nullptr, object));
}

}  // namespace

bool TFormOpener::ShowAddNewUser(TRoot* root) {
  return Build<TAddNewUserForm>(root)->ShowModal() == mrOk;
}

TUser* TFormOpener::ShowLogin(TRoot* root) { return Build<TLoginForm>(root)->SelectUser(); }

TCourse* TFormOpener::ShowStart(TUser* user) { return Build<TStartForm>(user)->SelectCourse(); }

bool TFormOpener::ShowAuthorization(TUser* user) {
  return Build<TAuthorizationForm>(user)->ShowModal() == mrOk;
}

std::optional<std::string> TFormOpener::ChangePassword(TUser* user) {
  auto window = Build<TNewPasswordForm>(user);
  if (window->ShowModal() != mrOk) return std::nullopt;
  return window->getNewPassword();
}

void TFormOpener::RunSession(TCourse* course, TUser* user) {
  TOwnedPtr<TSessionForm> form(new TSessionForm(nullptr, course, user));
  Application->ProcessMessages();
  form->Execute();
}
