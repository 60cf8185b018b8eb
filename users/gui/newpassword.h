#pragma once
// The new password of the new-user and new-password windows, typed twice into edits that show
// "*". User-interface thread only.

#include <string>

class TEdit;
class TMultilangForm;

// Registers the window's "Error.PasswordCannotBeKept" with its default text.
void AddNewPasswordMessages(TMultilangForm& window);

// True when both edits hold the same password and the code page has every letter of it.
// Otherwise shows "Error.PasswordCannotBeKept", or the window's message `differ`, empties both
// edits and puts the focus on the first.
bool AcceptNewPassword(TMultilangForm& window, TEdit& password, TEdit& confirmation,
                       const std::string& differ);
