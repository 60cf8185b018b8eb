#pragma once
// An X server of the test's own (Xvfb on the first free display, found with -displayfd), so
// that parallel runs never share a display; stopped when the object goes. Display() is empty
// when Xvfb is missing or did not start: the test then skips itself. -noreset keeps the server
// (and a layout set with setxkbmap) alive when its last client leaves.

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

class XvfbDisplay {
public:
  explicit XvfbDisplay(const std::string& screen = "1024x768x24") {
    if (std::system("command -v Xvfb >/dev/null 2>&1") != 0) return;
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(pipeFds[0]);
      std::string fd = std::to_string(pipeFds[1]);
      // Where stderr cannot be silenced, Xvfb's messages only join the test's output.
      [[maybe_unused]] FILE* silenced = freopen("/dev/null", "w", stderr);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-noreset",
             "-nolisten", "tcp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(pipeFds[1]);
    std::string number;
    pollfd readable{pipeFds[0], POLLIN, 0};
    char c;
    while (poll(&readable, 1, kStartTimeoutMs) > 0 && read(pipeFds[0], &c, 1) == 1 && c != '\n')
      number += c;
    close(pipeFds[0]);
    if (!number.empty()) display_ = ":" + number;
  }
  ~XvfbDisplay() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  XvfbDisplay(const XvfbDisplay&) = delete;
  XvfbDisplay& operator=(const XvfbDisplay&) = delete;

  // ":<number>", or empty.
  const std::string& Display() const { return display_; }
  // Runs a shell command with DISPLAY set to this server; answers whether it succeeded.
  bool Run(const std::string& command) const {
    return std::system(("DISPLAY=" + display_ + " " + command).c_str()) == 0;
  }

private:
  static constexpr int kStartTimeoutMs = 10000;
  pid_t pid_ = -1;
  std::string display_;
};
