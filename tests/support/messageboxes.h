#pragma once
// Answers every message box with a chosen button and records what each box showed, so that no
// test waits on a dialog. The handler before is restored when the object goes.

#include <string>
#include <vector>

#include "toolkit/messagebox.h"

class MessageBoxes {
public:
  struct TBox {
    std::string Text;
    TMsgDlgType Type;
  };

  MessageBoxes() {
    Previous = SetMessageDlgHandler([this](const std::string& text, TMsgDlgType type) {
      Shown.push_back({text, type});
      return Answer;
    });
  }
  ~MessageBoxes() { SetMessageDlgHandler(Previous); }
  MessageBoxes(const MessageBoxes&) = delete;
  MessageBoxes& operator=(const MessageBoxes&) = delete;

  TModalResult Answer = mrOk;
  std::vector<TBox> Shown;

private:
  TMessageDlgHandler Previous;
};
