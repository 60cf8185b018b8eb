// The machine's file system through POSIX calls.

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>  // renameat2
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "platform/filesystem.h"

namespace {

std::error_code LastError() { return std::error_code(errno, std::generic_category()); }

TFileKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return TFileKind::Regular;
  if (S_ISDIR(mode)) return TFileKind::Folder;
  if (S_ISLNK(mode)) return TFileKind::Link;
  return TFileKind::Other;
}

TFileStatus StatusOf(const struct stat& info) {
  TFileStatus status;
  status.Kind = KindOf(info.st_mode);
  status.Mode = info.st_mode & 07777;
  status.ModifiedAt = info.st_mtime;
  status.Device = info.st_dev;
  status.Inode = info.st_ino;
  status.Owner = info.st_uid;
  status.Size = info.st_size;
  return status;
}

// The kind of a file that may be read: a folder or anything that is no regular file is refused
// before it is opened, so that a FIFO is never opened at all.
std::error_code Unreadable(TFileKind kind) {
  if (kind == TFileKind::Folder) return std::error_code(EISDIR, std::generic_category());
  if (kind != TFileKind::Regular) return NotARegularFile();
  return {};
}

// Opens a regular file for reading, refusing anything else without waiting for it.
std::error_code OpenToRead(const std::string& path, int& fd) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return LastError();
  if (std::error_code refused = Unreadable(KindOf(info.st_mode))) return refused;
  // Not blocking: a FIFO put in the file's place after the look above opens at once.
  fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return LastError();
  std::error_code refused;
  if (fstat(fd, &info) != 0)
    refused = LastError();
  else
    refused = Unreadable(KindOf(info.st_mode));
  if (refused) {
    close(fd);
    fd = -1;
  }
  return refused;
}

class TPosixNewFile final : public TNewFile {
public:
  explicit TPosixNewFile(int fd) : Fd(fd) {}
  ~TPosixNewFile() override { Close(); }

  std::error_code Append(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t written = write(Fd, bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        return LastError();
      }
      bytes.remove_prefix(static_cast<size_t>(written));
    }
    return {};
  }
  std::error_code Sync() override { return fsync(Fd) == 0 ? std::error_code() : LastError(); }
  std::error_code Close() override {
    if (Fd < 0) return {};
    const int fd = Fd;
    Fd = -1;
    return close(fd) == 0 ? std::error_code() : LastError();
  }

private:
  int Fd;
};

class TPosixFileSystem final : public TFileSystem {
public:
  TFileStatus Status(const std::string& path) override {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return {};
    return StatusOf(info);
  }

  std::string LinkTarget(const std::string& path) override {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
  }

  std::error_code ReadFile(const std::string& path, std::string& content) override {
    content.clear();
    int fd = -1;
    if (std::error_code refused = OpenToRead(path, fd)) return refused;
    std::error_code failed;
    char buffer[65536];
    for (;;) {
      const ssize_t got = read(fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) failed = LastError();
      if (got <= 0) break;
      content.append(buffer, static_cast<size_t>(got));
    }
    close(fd);
    if (failed) content.clear();
    return failed;
  }

  std::error_code ReadFileAt(const std::string& path, uint64_t offset, size_t size,
                             std::string& bytes) override {
    bytes.clear();
    int fd = -1;
    if (std::error_code refused = OpenToRead(path, fd)) return refused;
    std::error_code failed;
    bytes.resize(size);
    size_t got = 0;
    while (got < size) {
      const ssize_t part =
          pread(fd, bytes.data() + got, size - got, static_cast<off_t>(offset + got));
      if (part < 0 && errno == EINTR) continue;
      if (part < 0) failed = LastError();
      if (part <= 0) break;
      got += static_cast<size_t>(part);
    }
    close(fd);
    bytes.resize(failed ? 0 : got);
    return failed;
  }

  std::error_code ListFolder(const std::string& folder, std::vector<std::string>& names) override {
    names.clear();
    DIR* dir = opendir(folder.c_str());
    if (!dir) return LastError();
    errno = 0;
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    const std::error_code failed = errno ? LastError() : std::error_code();
    closedir(dir);
    return failed;
  }

  std::error_code MakeFolder(const std::string& path, unsigned mode) override {
    return mkdir(path.c_str(), mode) == 0 ? std::error_code() : LastError();
  }

  std::error_code CreateFile(const std::string& path, unsigned mode,
                             std::unique_ptr<TNewFile>& file) override {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) return LastError();
    // The lock goes with the file's last descriptor, also when the process is killed. Where
    // the file system has no locks, the file's age alone tells a stale one.
    flock(fd, LOCK_EX | LOCK_NB);
    file = std::make_unique<TPosixNewFile>(fd);
    return {};
  }

  std::error_code SetMode(const std::string& path, unsigned mode) override {
    return chmod(path.c_str(), mode) == 0 ? std::error_code() : LastError();
  }

  std::error_code Rename(const std::string& from, const std::string& to) override {
    return rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : LastError();
  }

  std::error_code SyncFolder(const std::string& folder) override {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return LastError();
    // EINVAL: a file system that keeps no folder to sync.
    const bool synced = fsync(fd) == 0 || errno == EINVAL;
    const std::error_code failed = synced ? std::error_code() : LastError();
    close(fd);
    return failed;
  }

  std::error_code Remove(const std::string& path) override {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) return LastError();
    std::error_code failed;
    std::filesystem::remove_all(path, failed);
    return failed;
  }

  bool IsBeingWritten(const std::string& path) override {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY);
    if (fd < 0) return false;
    // A shared lock: it needs no write access, and an exclusive one held by a writer refuses it.
    const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);
    return held;
  }

  TFileStatus LinkStatus(const std::string& path) override {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) return {};
    return StatusOf(info);
  }

  size_t LongestName(const std::string& folder) override {
    const long longest = pathconf(folder.c_str(), _PC_NAME_MAX);
    return longest > 0 ? static_cast<size_t>(longest) : NAME_MAX;
  }

  std::error_code MoveNew(const std::string& from, const std::string& to) override {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
    if (errno != EINVAL && errno != ENOSYS) return LastError();
    // A file system that cannot refuse in the same step (NFS): a look just before.
    struct stat info;
    if (lstat(to.c_str(), &info) == 0) return std::error_code(EEXIST, std::generic_category());
    return rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : LastError();
  }

  std::error_code RemoveEntry(const std::string& path) override {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) return LastError();
    const int removed = S_ISDIR(info.st_mode) ? rmdir(path.c_str()) : unlink(path.c_str());
    return removed == 0 ? std::error_code() : LastError();
  }

  std::error_code SetOwnMode(const std::string& path, unsigned mode) override {
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return LastError();
    struct stat info;
    std::error_code failed;
    if (fstat(fd, &info) != 0)
      failed = LastError();
    else if (info.st_uid != geteuid())
      failed = std::error_code(EPERM, std::generic_category());
    else if (fchmod(fd, mode) != 0)
      failed = LastError();
    close(fd);
    return failed;
  }
};

}  // namespace

uint32_t ThisAccount() { return geteuid(); }

TFileSystem& PosixFileSystem() {
  static TPosixFileSystem posix;
  return posix;
}
