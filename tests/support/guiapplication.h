#pragma once
// Included by every test executable that needs windows: one application for the whole run,
// headless, and message boxes that are recorded and answered instead of shown, so no test
// waits on a dialog.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "toolkit/gui/application.h"
#include "toolkit/messagebox.h"

struct ShownMessage {
  std::string Text;
  TMsgDlgType Type;
};

// Every box shown since the test began; a test clears it as it likes.
inline std::vector<ShownMessage>& ShownMessages() {
  static std::vector<ShownMessage> messages;
  return messages;
}

// What the next boxes answer (mrOk, or mrNo for a confirmation, unless a test sets another).
inline TModalResult& MessageAnswer() {
  static TModalResult answer = mrNone;
  return answer;
}

class GuiApplicationEnvironment : public testing::Environment {
public:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 2;
    static char program[] = "lomtak-test", argument[] = "/test";
    static char* argv[] = {program, argument, nullptr};
    application_ = new TApplication(argc, argv);
    SetMessageDlgHandler([](const std::string& text, TMsgDlgType type) {
      ShownMessages().push_back({text, type});
      if (MessageAnswer() != mrNone) return MessageAnswer();
      return type == mtConfirmation ? mrNo : mrOk;
    });
  }
  void TearDown() override { delete application_; }

private:
  TApplication* application_ = nullptr;
};

inline testing::Environment* const kGuiApplicationEnvironment =
    testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);
