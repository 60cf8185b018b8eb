#include "platform/filesystem.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <ctime>
#include <mutex>
#include <set>

namespace {

class TNotARegularFile : public std::error_category {
public:
  const char* name() const noexcept override { return "file kind"; }
  std::string message(int) const override { return "Not a regular file"; }
};

std::error_code Errno(int code) { return std::error_code(code, std::generic_category()); }

// A killed writer's temporary has not changed since it was killed; one a writer still works on
// is held open. The age covers the moments between creating the file and locking it, and
// between closing and renaming it, and writers that never lock (an earlier release).
constexpr int64_t kStaleAfterSeconds = 10 * 60;

// The temporary files of a replacement: the target's name, this mark, the writer's process id,
// ".", a number of that process.
constexpr char kTemporaryMark[] = ".~";

std::string TemporaryName(const std::string& target, unsigned number) {
  return target + kTemporaryMark + std::to_string(getpid()) + "." + std::to_string(number);
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool IsTemporaryName(const std::string& name) {
  const size_t mark = name.rfind(kTemporaryMark);
  if (mark == std::string::npos || mark == 0) return false;
  const std::string_view tail = std::string_view(name).substr(mark + 2);
  const size_t dot = tail.find('.');
  return dot != std::string_view::npos && AllDigits(tail.substr(0, dot)) &&
         AllDigits(tail.substr(dot + 1));
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The permission bits that what is made in a folder of this mode may have: none for a class
// of accounts that may not enter the folder. The owner keeps its own.
unsigned AllowedIn(const TFileStatus& folder) {
  if (folder.Kind != TFileKind::Folder) return 07777;
  unsigned allowed = 07700;
  if (folder.Mode & 0010) allowed |= 0070;
  if (folder.Mode & 0001) allowed |= 0007;
  return allowed;
}

// Whether this process has yet to clear the folder: killed writers were earlier processes, so
// one look finds all they left, and a folder of many logs is not listed at every save.
bool FirstReplacementIn(const std::string& folder) {
  static std::mutex lock;
  static std::set<std::string> cleared;
  std::lock_guard<std::mutex> guard(lock);
  return cleared.insert(folder).second;
}

std::atomic<TFileSystem*> Installed{nullptr};

}  // namespace

std::error_code NotARegularFile() {
  static const TNotARegularFile category;
  return std::error_code(1, category);
}

std::error_code TFileSystem::ReplaceFile(const std::string& path, std::string_view content,
                                         unsigned mode) {
  static std::atomic<unsigned> counter{0};
  const TFileStatus at = LinkStatus(path);
  const std::string target = LinkTarget(path);
  if (at.Kind == TFileKind::Link) {
    const TFileStatus leadsTo = LinkStatus(target);
    if (at.Owner != ThisAccount() ||
        (leadsTo.Kind != TFileKind::Missing && leadsTo.Owner != ThisAccount()))
      return Errno(EPERM);
  }
  const std::string folder = FolderOf(target);
  const TFileStatus old = Status(target);
  const bool replaced = old.Kind == TFileKind::Regular;
  const unsigned bits = (replaced ? old.Mode : mode) & 0777 & AllowedIn(Status(folder));
  std::string temporary;
  std::unique_ptr<TNewFile> file;
  std::error_code failed;
  // A name of our own beside the target, so that the rename stays on one file system.
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = TemporaryName(target, counter++);
    failed = CreateFile(temporary, bits, file);
    if (failed != std::errc::file_exists) break;
  }
  if (failed) return failed;

  // The umask may have taken bits the old file had. Not a failure of the save: a file system
  // without permission bits (FAT) refuses it, and there the bits are the mount's anyway.
  if (replaced) SetMode(temporary, old.Mode);
  failed = file->Append(content);
  if (!failed) failed = file->Sync();
  const std::error_code closed = file->Close();
  if (!failed) failed = closed;
  if (!failed) failed = Rename(temporary, target);
  if (failed) {
    Remove(temporary);
    return failed;
  }
  // Else a new file, such as a new user's profile with its password's digest, may be gone
  // after a crash although it was reported saved.
  failed = SyncFolder(folder);
  if (FirstReplacementIn(folder)) RemoveStaleTemporaries(folder);
  return failed;
}

std::error_code TFileSystem::MakeFolders(const std::string& path, unsigned mode,
                                         const std::string& within) {
  if (path.empty()) return Errno(ENOENT);
  std::string folder = path.front() == '/' ? "/" : "";
  size_t start = 0;
  if (!within.empty()) {
    if (path.compare(0, within.size(), within) != 0 ||
        (path.size() > within.size() && path[within.size()] != '/'))
      return Errno(EINVAL);
    folder = within;
    start = within.size() + 1;
  }
  TFileStatus above = Status(folder.empty() ? "." : folder);
  if (!within.empty() && above.Kind != TFileKind::Folder) return Errno(ENOENT);
  while (start < path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) {
      if (!folder.empty() && folder.back() != '/') folder += '/';
      folder.append(path, start, end - start);
      TFileStatus status = Status(folder);
      if (status.Kind == TFileKind::Missing) {
        const std::error_code failed = MakeFolder(folder, mode & AllowedIn(above));
        status = Status(folder);
        // Another process may have made it meanwhile.
        if (failed && status.Kind != TFileKind::Folder) return failed;
      }
      if (status.Kind != TFileKind::Folder) return Errno(ENOTDIR);
      above = status;
    }
    start = end + 1;
  }
  return {};
}

void TFileSystem::RemoveStaleTemporaries(const std::string& folder) {
  std::vector<std::string> names;
  if (ListFolder(folder, names)) return;
  const int64_t now = std::time(nullptr);
  for (const std::string& name : names) {
    if (!IsTemporaryName(name)) continue;
    const std::string path = folder + "/" + name;
    const TFileStatus status = Status(path);
    if (status.Kind == TFileKind::Regular && now - status.ModifiedAt >= kStaleAfterSeconds &&
        !IsBeingWritten(path))
      Remove(path);
  }
}

TFileSystem& FileSystem() {
  TFileSystem* installed = Installed.load();
  return installed ? *installed : PosixFileSystem();
}

TFileSystem* SetFileSystem(TFileSystem* fileSystem) { return Installed.exchange(fileSystem); }
