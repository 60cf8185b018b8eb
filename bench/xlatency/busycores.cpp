#include "busycores.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>
#include <thread>

TBusyCores::TBusyCores() {
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  for (unsigned i = 0; i < cores; ++i) {
    const pid_t loop = fork();
    if (loop < 0) throw std::runtime_error("cannot start a busy loop");
    if (loop == 0) {
      volatile unsigned long spin = 0;
      for (;;) spin = spin + 1;
    }
    Loops.push_back(loop);
  }
}

TBusyCores::~TBusyCores() {
  for (pid_t loop : Loops) kill(loop, SIGKILL);
  for (pid_t loop : Loops) waitpid(loop, nullptr, 0);
}
