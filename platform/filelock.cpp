#include "platform/filelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

std::error_code Errno(int code) { return std::error_code(code, std::generic_category()); }

}  // namespace

std::error_code TFileLock::Take(const std::string& path) {
  Release();
  // Read access is enough for flock, and a folder opens no other way.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return Errno(errno);
  int failed = 0;
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    failed = errno;
    break;
  }
  // The one who removed it may have held the lock until then: the lock taken after is on what
  // is no longer there.
  struct stat opened, there;
  if (!failed && (fstat(fd, &opened) != 0 || stat(path.c_str(), &there) != 0 ||
                  opened.st_dev != there.st_dev || opened.st_ino != there.st_ino))
    failed = ENOENT;
  if (failed) {
    close(fd);
    return Errno(failed);
  }
  Fd = fd;
  return {};
}

void TFileLock::Release() {
  if (Fd < 0) return;
  close(Fd);
  Fd = -1;
}
