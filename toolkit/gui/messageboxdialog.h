#pragma once
// The real message box over QMessageBox: the handler the application installs for MessageDlg
// (toolkit/messagebox.h). Runs a modal dialog; user-interface thread only.

#include <string>

#include "toolkit/messagebox.h"

TModalResult ShowMessageBoxDialog(const std::string& text, TMsgDlgType type);
