#pragma once
// The training screen of a fresh installation, for the programs that drive it outside a test:
// the shipped English course, wallpapers, sounds and themes (the default look), a user, and the
// screen shown non-modally with its first line, fed key events as the keyboard hook delivers
// them. The application must exist and have been started with "/test" for the test sizes.
// Owns the installation and the screen. User-interface thread only.

#include <QWidget>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "app/gui/tsessionform.h"
#include "app/sessionlayout.h"
#include "app/tlomtak.h"
#include "engine/tcourse.h"
#include "engine/tcourses.h"
#include "engine/ttask.h"
#include "foundation/tinioptions.h"
#include "platform/keycodes.h"
#include "support/courses.h"
#include "support/installation.h"
#include "toolkit/gui/application.h"
#include "users/tuser.h"
#include "users/tusers.h"
#include "views/tltkeyboard.h"

class TrainingSession {
public:
  using Clock = std::chrono::steady_clock;

  TrainingSession() {
    namespace fs = std::filesystem;
    for (const char* file : {"English.Base", "English.Layout", "English.Info"})
      fs::copy_file(ShippedCourseFile(file), Program.getCoursesDir() + "/" + file);
    const std::string environment = Program.getProgramDir() + "/Environment";
    fs::create_directories(environment);
    for (const char* folder : {"Wallpapers", "Sounds", "Themes"})
      fs::copy(std::string(LOMTAK_DIST_DIR) + "/Environment/" + folder, environment + "/" + folder,
               fs::copy_options::recursive);
    User = Program.root().getUsers()->Add("Anna");
    User->getOptions()->WriteBool("IntroductionForm", "AutoShow", false);
    User->getOptions()->WriteString("SessionForm", "Theme", environment + "/Themes/Default.ini");
    Course = Program.root().getCourses()->getCourse("English");
    Course->Load({});
    Form.reset(new TSessionForm(nullptr, Course, User));
    Form->getTask()->NewTask();
    Form->Show();
    Form->Handle()->activateWindow();
    for (int i = 0; i < 20 && !Form->Active(); ++i) {
      Application->ProcessMessages();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  bool ready() const { return Form->Active(); }

  bool Event(int scanCode, bool down) {
    Time += 150;
    return Form->getKeyboard()->CALLBACK_Keyboard(Time, scanCode, VirtualKeyOfScanCode(scanCode),
                                                  down);
  }
  // Up and Down to the test size of that size, the largest where none is.
  void TakeTestSize(int width, int height) {
    int size = 0;
    while (size < TestResolutionCount - 1 &&
           (TestResolutionSize(size).cx != width || TestResolutionSize(size).cy != height))
      ++size;
    while (Form->getTestResolution() != size)
      Key(Form->getTestResolution() < size ? kScUp : kScDown);
  }
  void Key(int scanCode) {
    Event(scanCode, true);
    Event(scanCode, false);
  }
  // The key events that type the character, press first; answers how long the press took.
  Clock::duration Type(char character) {
    for (const auto& button : Form->getKeyboard()->Buttons) {
      const bool shifted = button->ShiftValue == character && button->Value != character;
      if (button->Value != character && !shifted) continue;
      if (shifted) Event(kScLeftShift, true);
      const Clock::time_point start = Clock::now();
      Event(button->ScanCode, true);
      const Clock::duration took = Clock::now() - start;
      Event(button->ScanCode, false);
      if (shifted) Event(kScLeftShift, false);
      return took;
    }
    return {};
  }
  Clock::duration TypeNext() {
    TTask* task = Form->getTask();
    return Type(task->Text[task->Position]);
  }
  bool LastOfLine() const {
    return Form->getTask()->Position + 1 >= static_cast<int32_t>(Form->getTask()->Text.size());
  }

  Installation Program;
  TUser* User = nullptr;
  TCourse* Course = nullptr;
  TOwnedPtr<TSessionForm> Form;
  uint32_t Time = 100000;

private:
  static constexpr int kScLeftShift = 42, kScUp = -72, kScDown = -80;
};
