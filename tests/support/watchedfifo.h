#pragma once
// A FIFO where a file is expected, that cannot hang a test: a watcher keeps its writing end
// waiting for a reader, so a reader that opens it gets an empty file at once instead of waiting
// for ever, and the FIFO remembers that a reader came. The FIFO goes when the object does.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

class WatchedFifo {
public:
  explicit WatchedFifo(std::string path) : Path(std::move(path)) {
    Made = mkfifo(Path.c_str(), 0600) == 0;
    if (Made) Watcher = std::thread([this] { Watch(); });
  }
  ~WatchedFifo() {
    if (!Made) return;
    Stop = true;
    // The watcher waits in open for a reader: be one until it has seen the stop.
    while (!Stopped) {
      const int fd = open(Path.c_str(), O_RDONLY | O_NONBLOCK);
      if (fd >= 0) close(fd);
      std::this_thread::yield();
    }
    Watcher.join();
    unlink(Path.c_str());
  }
  WatchedFifo(const WatchedFifo&) = delete;
  WatchedFifo& operator=(const WatchedFifo&) = delete;

  bool ok() const { return Made; }
  // Some reader opened the FIFO.
  bool Opened() const { return Readers > 0; }

private:
  void Watch() {
    while (!Stop) {
      const int fd = open(Path.c_str(), O_WRONLY);
      if (fd >= 0) close(fd);
      if (fd >= 0 && !Stop) ++Readers;
    }
    Stopped = true;
  }

  std::string Path;
  bool Made = false;
  std::atomic<bool> Stop{false}, Stopped{false};
  std::atomic<int> Readers{0};
  std::thread Watcher;
};
