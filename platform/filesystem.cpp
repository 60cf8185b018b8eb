#include "platform/filesystem.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <set>

namespace {

class TNotARegularFile : public std::error_category {
public:
  const char* name() const noexcept override { return "file kind"; }
  std::string message(int) const override { return "Not a regular file"; }
};

std::error_code Errno(int code) {
  return std::error_code(code, std::generic_category());
}

// The temporary files of a replacement: the target's name, this mark, the writer's process id,
// ".", a number of that process.
constexpr char kTemporaryMark[] = ".~";

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

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::atomic<TFileSystem*> Installed{nullptr};

}  // namespace

std::error_code NotARegularFile() {
  static const TNotARegularFile category;
  return std::error_code(1, category);
}

std::error_code TFileSystem::ReplaceFile(const std::string& path, std::string_view content) {
  static std::atomic<unsigned> counter{0};
  const std::string target = LinkTarget(path);
  std::string temporary;
  std::unique_ptr<TNewFile> file;
  std::error_code failed;
  // A name of our own beside the target, so that the rename stays on one file system.
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = TemporaryName(target, counter++);
    failed = CreateFile(temporary, 0666, file);
    if (failed != std::errc::file_exists) break;
  }
  if (failed) return failed;

  const TFileStatus old = Status(target);
  if (old.Kind == TFileKind::Regular) SetMode(temporary, old.Mode);
  failed = file->Append(content);
  if (!failed) failed = file->Sync();
  const std::error_code closed = file->Close();
  if (!failed) failed = closed;
  if (!failed) failed = Rename(temporary, target);
  if (failed) {
    Remove(temporary);
    return failed;
  }
  RemoveStaleTemporaries(target);
  return {};
}

std::error_code TFileSystem::MakeFolders(const std::string& path, unsigned mode) {
  if (path.empty()) return Errno(ENOENT);
  std::string folder = path.front() == '/' ? "/" : "";
  size_t start = 0;
  while (start < path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) {
      if (!folder.empty() && folder.back() != '/') folder += '/';
      folder.append(path, start, end - start);
      TFileStatus status = Status(folder);
      if (status.Kind == TFileKind::Missing) {
        const std::error_code failed = MakeFolder(folder, mode);
        status = Status(folder);
        // Another process may have made it meanwhile.
        if (failed && status.Kind != TFileKind::Folder) return failed;
      }
      if (status.Kind != TFileKind::Folder) return Errno(ENOTDIR);
    }
    start = end + 1;
  }
  return {};
}

// Removes what writers killed in the middle of a replacement left beside the target. A file of
// a process that still runs, this one included, may be a replacement under way and stays.
void TFileSystem::RemoveStaleTemporaries(const std::string& target) {
  // Killed writers were earlier processes: one look per file and process finds all they left,
  // and a folder of many logs is not listed at every save.
  static std::mutex lock;
  static std::set<std::string> looked;
  {
    std::lock_guard<std::mutex> guard(lock);
    if (!looked.insert(target).second) return;
  }
  const std::string folder = FolderOf(target);
  const std::string targetName = target.substr(target.rfind('/') + 1);
  std::vector<std::string> names;
  if (ListFolder(folder, names)) return;
  for (const std::string& name : names) {
    const pid_t writer = WriterOfTemporary(name, targetName);
    if (writer <= 0 || writer == getpid()) continue;
    if (kill(writer, 0) != 0 && errno == ESRCH) Remove(folder + "/" + name);
  }
}

TFileSystem& FileSystem() {
  TFileSystem* installed = Installed.load();
  return installed ? *installed : PosixFileSystem();
}

TFileSystem* SetFileSystem(TFileSystem* fileSystem) {
  return Installed.exchange(fileSystem);
}
