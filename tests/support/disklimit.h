#pragma once
// Makes every write past `bytes` in a file fail with EFBIG while it lives, as a full disk would
// (the process's file-size limit; it binds root too, unlike permission bits).

#include <sys/resource.h>

#include <csignal>

class DiskLimit {
public:
  explicit DiskLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &Saved);
    OldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = Saved;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~DiskLimit() {
    setrlimit(RLIMIT_FSIZE, &Saved);
    std::signal(SIGXFSZ, OldHandler);
  }
  DiskLimit(const DiskLimit&) = delete;
  DiskLimit& operator=(const DiskLimit&) = delete;

private:
  rlimit Saved{};
  void (*OldHandler)(int) = nullptr;
};
