#include "launch.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

TLaunch::TLaunch(const std::string& program, const std::string& folder, const std::string& display,
                 const std::string& output) {
  Child = fork();
  if (Child < 0) throw std::runtime_error("cannot start " + program);
  if (Child > 0) return;
  if (chdir(folder.c_str()) != 0) _exit(127);
  const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out >= 0) {
    dup2(out, 1);
    dup2(out, 2);
  }
  setenv("DISPLAY", display.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
  _exit(127);
}

TLaunch::~TLaunch() {
  // Asked to end first; a program that does not within two seconds is killed.
  if (Running()) kill(Child, SIGTERM);
  for (int i = 0; i < 200 && Running(); ++i) usleep(10000);
  if (Running()) kill(Child, SIGKILL);
  waitpid(Child, nullptr, 0);
}

bool TLaunch::Running() { return waitpid(Child, nullptr, WNOHANG) == 0; }
