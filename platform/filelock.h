#pragma once
// An exclusive lock on a file or folder, held by this process until it lets it go, or until it
// ends however it ends: the system releases it then. Advisory: it keeps out only those that
// take the same lock, another process or another TFileLock of this one. One thread.

#include <string>
#include <system_error>

class TFileLock {
public:
  TFileLock() = default;
  ~TFileLock() { Release(); }
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;

  // Takes the lock of what stands at the path (links followed) without waiting; a lock held
  // before is let go first. EWOULDBLOCK when another holds it; ENOENT when nothing stands there,
  // also when what stood there was removed or replaced while the lock was being taken, so that
  // a lock is never held on a folder that is gone. Any other error: a file system that keeps no
  // locks, or a path that may not be opened.
  std::error_code Take(const std::string& path);
  void Release();
  bool isHeld() const { return Fd >= 0; }

private:
  int Fd = -1;
};
