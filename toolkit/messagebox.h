#pragma once
// Message boxes for plain code. The box itself is a replaceable handler: the windows layer
// installs the real dialog, a test installs one that answers. With no handler the default
// answer comes back at once (OK, or No for a confirmation), so nothing ever blocks.
// User-interface thread only.

#include <functional>
#include <string>

#include "toolkit/modalresult.h"

enum TMsgDlgType {
  mtInformation,   // OK
  mtConfirmation,  // Yes and No
  mtError,         // OK
};

// Gets the box's whole text (8-bit, the system code page) and answers with the button pressed.
using TMessageDlgHandler = std::function<TModalResult(const std::string& text, TMsgDlgType type)>;

TModalResult MessageDlg(const std::string& text, TMsgDlgType type);

// Installs the handler (an empty one restores the default answers); returns the one before.
TMessageDlgHandler SetMessageDlgHandler(TMessageDlgHandler handler);

// The code page of the texts in force (the localization's), whose language the boxes' buttons
// speak: the system code page's, Russian, until the localization says otherwise.
void SetMessageDlgCodePage(int codePage);
int MessageDlgCodePage();
