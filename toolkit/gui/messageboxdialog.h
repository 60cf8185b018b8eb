#pragma once
// The real message box over QMessageBox: the handler the application installs for MessageDlg
// (toolkit/messagebox.h). Runs a modal dialog; user-interface thread only. An error box takes no
// Space or Enter in its first half second (the platform's clock), so that a typist's keys do not
// close it unread.

#include <string>

#include "toolkit/messagebox.h"

TModalResult ShowMessageBoxDialog(const std::string& text, TMsgDlgType type);
