#pragma once
// Makes an existing folder refuse new entries while it lives: by its permission bits for an
// ordinary user, by the immutable attribute for root (whom permission bits do not stop).
// ok() is false where neither works (a file system or container without the attribute).

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

class UnwritableFolder {
public:
  explicit UnwritableFolder(std::string folder) : Folder(std::move(folder)) {
    if (geteuid() != 0) {
      Made = chmod(Folder.c_str(), 0555) == 0;
      return;
    }
    Made = SetImmutable(true);
  }
  ~UnwritableFolder() {
    if (!Made) return;
    if (geteuid() != 0)
      chmod(Folder.c_str(), 0755);
    else
      SetImmutable(false);
  }
  UnwritableFolder(const UnwritableFolder&) = delete;
  UnwritableFolder& operator=(const UnwritableFolder&) = delete;

  bool ok() const { return Made; }

private:
  bool SetImmutable(bool on) {
    int fd = open(Folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
      flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
      done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    close(fd);
    return done;
  }

  std::string Folder;
  bool Made = false;
};
