// A picture of the training screen for a person to look at, not a check: the screen at the test
// size of the X server's screen, its line half typed and one wrong key showing, as the X server
// shows it. scripts/session-screenshots runs it on an X server of each size it is asked for.
// Usage: session-screenshot PICTURE.png
#include <QEventLoop>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "support/trainingsession.h"
#include "toolkit/gui/application.h"
#include "toolkit/gui/screen.h"
#include "toolkit/messagebox.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s PICTURE.png\n", argv[0]);
    return 2;
  }
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  int appArgc = 2;
  char test[] = "/test";
  char* appArgv[] = {argv[0], test, nullptr};
  TApplication application(appArgc, appArgv);
  SetMessageDlgHandler(nullptr);

  TrainingSession session;
  if (!session.ready()) {
    std::fprintf(stderr, "the training screen did not become active\n");
    return 1;
  }
  session.TakeTestSize(Screen->Width(), Screen->Height());
  TTask* task = session.Form->getTask();
  while (task->Position < static_cast<int32_t>(task->Text.size() / 2)) session.TypeNext();
  session.Type(task->Text[task->Position] == 'q' ? 'z' : 'q');
  // Time for the X server to show what the screen drew.
  QEventLoop wait;
  QTimer::singleShot(700, &wait, &QEventLoop::quit);
  wait.exec();
  if (!session.Form->Handle()->screen()->grabWindow(0).save(argv[1])) {
    std::fprintf(stderr, "%s could not be written\n", argv[1]);
    return 1;
  }
  return 0;
}
