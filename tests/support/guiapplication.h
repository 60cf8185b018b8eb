#pragma once
// Included by every test executable that needs windows: one application for the whole run,
// headless. The application's real message box is taken away again, so a box answers at once
// (support/messageboxes.h records and answers them where a test looks at them), and printing
// prints nothing instead of asking with the print dialog.

#include <gtest/gtest.h>

#include <cstdlib>

#include "toolkit/gui/application.h"
#include "toolkit/gui/webbrowser.h"
#include "toolkit/messagebox.h"

class GuiApplicationEnvironment : public testing::Environment {
public:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 2;
    static char program[] = "lomtak-test", argument[] = "/test";
    static char* argv[] = {program, argument, nullptr};
    application_ = new TApplication(argc, argv);
    SetMessageDlgHandler(nullptr);
    SetPrintHandler([](QTextDocument&) {});
  }
  void TearDown() override { delete application_; }

private:
  TApplication* application_ = nullptr;
};

inline testing::Environment* const kGuiApplicationEnvironment =
    testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);
