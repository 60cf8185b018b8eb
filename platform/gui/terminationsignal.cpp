#include "platform/gui/terminationsignal.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Written by the signal handler, read on the user-interface thread.
int signalPipe[2] = {-1, -1};
std::function<void()> onSignal;

void Signalled(int) {
  const int saved = errno;
  const char byte = 0;
  // A full pipe already holds a request.
  [[maybe_unused]] ssize_t written = write(signalPipe[1], &byte, 1);
  errno = saved;
}

void Dispose(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kSignals) sigaction(signal, &action, nullptr);
}

void Requested() {
  char bytes[64];
  while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
  }
  Dispose(SIG_DFL);
  if (onSignal) onSignal();
}

}  // namespace

void OnTerminationSignal(std::function<void()> handler) {
  if (signalPipe[0] < 0) {
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier =
        new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, Requested);
  }
  onSignal = std::move(handler);
  Dispose(Signalled);
}
