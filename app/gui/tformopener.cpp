#include "app/gui/tformopener.h"

bool TFormOpener::ShowAddNewUser(TLomtak*) { return false; }

TUser* TFormOpener::ShowLogin(TLomtak*) { return nullptr; }

TCourse* TFormOpener::ShowStart(TUser*) { return nullptr; }

bool TFormOpener::ShowAuthorization(TUser*) { return false; }

std::optional<std::string> TFormOpener::ChangePassword(TUser*) { return std::nullopt; }

void TFormOpener::RunSession(TCourse*, TUser*) {}
