#include "toolkit/fileio.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <set>
#include <system_error>

namespace {

std::string SystemText(int error) { return std::system_category().message(error); }

bool Fail(std::string* error, int code) {
  if (error) *error = SystemText(code);
  return false;
}

// The file that a write must replace: the target of a symbolic link rather than the link.
std::string ResolvedTarget(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

bool WriteAll(int fd, const std::string& content) {
  size_t done = 0;
  while (done < content.size()) {
    ssize_t written = write(fd, content.data() + done, content.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(written);
  }
  return true;
}

// The temporary files of a replacement: the target's name, ".~", the writer's process id, ".",
// a number of that process.
const char kTemporaryMark[] = ".~";

std::string TemporaryName(const std::string& target, unsigned number) {
  return target + kTemporaryMark + std::to_string(getpid()) + "." + std::to_string(number);
}

// The writer's process id of a temporary file's name beside the target, 0 for another name.
pid_t WriterOfTemporary(const std::string& name, const std::string& targetName) {
  const std::string head = targetName + kTemporaryMark;
  if (name.compare(0, head.size(), head) != 0) return 0;
  const std::string tail = name.substr(head.size());
  const size_t dot = tail.find('.');
  if (dot == 0 || dot == std::string::npos || dot + 1 == tail.size() || dot > 9) return 0;
  for (size_t i = 0; i < tail.size(); ++i)
    if (i != dot && (tail[i] < '0' || tail[i] > '9')) return 0;
  return static_cast<pid_t>(std::stol(tail.substr(0, dot)));
}

// Removes what writers killed in the middle of a replacement left beside the target. A file of
// a process that still runs, this one included, may be a replacement under way and stays.
void RemoveStaleTemporaries(const std::string& target) {
  // Killed writers were earlier processes: one look per file and process finds all they left,
  // and a folder of many logs is not listed at every save.
  static std::mutex lock;
  static std::set<std::string> looked;
  {
    std::lock_guard<std::mutex> guard(lock);
    if (!looked.insert(target).second) return;
  }
  namespace fs = std::filesystem;
  const fs::path path(target);
  const std::string targetName = path.filename().string();
  std::error_code failed;
  fs::directory_iterator entries(path.has_parent_path() ? path.parent_path() : fs::path("."),
                                 failed);
  for (; !failed && entries != fs::directory_iterator(); entries.increment(failed)) {
    const pid_t writer = WriterOfTemporary(entries->path().filename().string(), targetName);
    if (writer <= 0 || writer == getpid()) continue;
    if (kill(writer, 0) != 0 && errno == ESRCH) unlink(entries->path().c_str());
  }
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::string& content, std::string* error) {
  content.clear();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Fail(error, errno);
  struct stat info;
  bool known = fstat(fd, &info) == 0;
  if (!known || S_ISDIR(info.st_mode)) {
    // After a failed fstat the mode is garbage: only errno tells.
    int code = known ? EISDIR : errno;
    close(fd);
    return Fail(error, code);
  }
  char buffer[65536];
  for (;;) {
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      int code = errno;
      close(fd);
      content.clear();
      return Fail(error, code);
    }
    if (got == 0) break;
    content.append(buffer, static_cast<size_t>(got));
  }
  close(fd);
  return true;
}

bool ReplaceFile(const std::string& path, const std::string& content, std::string& error) {
  static std::atomic<unsigned> counter{0};
  const std::string target = ResolvedTarget(path);
  std::string temporary;
  int fd = -1;
  // A name of our own beside the target, so the rename stays on one file system.
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = TemporaryName(target, counter++);
    fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return Fail(&error, errno);

  struct stat old;
  if (stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) fchmod(fd, old.st_mode & 07777);
  bool ok = WriteAll(fd, content) && fsync(fd) == 0;
  int code = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (ok && rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    code = errno;
  }
  if (!ok) {
    unlink(temporary.c_str());
    return Fail(&error, code);
  }
  RemoveStaleTemporaries(target);
  return true;
}

bool FileExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
