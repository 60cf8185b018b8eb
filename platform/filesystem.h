#pragma once
// The file system as the program uses it: reading whole files, replacing files atomically,
// listing, making and removing folders. The program does these through FileSystem(): the POSIX
// file system, unless a test has installed another one, typically a TFileSystemWrapper that
// fails on demand (a full disk, a failing fsync or rename).
//
// The primitives are virtual. ReplaceFile, MakeFolders and RemoveStaleTemporaries are built on
// them once, here, so a wrapper that fails one primitive shows how the whole operation copes.
// A new file or folder is never more open than the folder it is made in: a class of accounts
// (group, others) that may not enter the folder gets no permission bits on what is made in it.
// A replaced file keeps the bits it had.
//
// Every file system must be safe for concurrent use: the wallpaper's loader thread reads
// pictures while the user-interface thread writes.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

enum class TFileKind {
  Missing,
  Regular,
  Folder,
  // A FIFO, a device, a socket: never read, since reading may wait for ever or never end.
  Other,
  // A symbolic link: only LinkStatus tells it, every other look follows the link.
  Link,
};

struct TFileStatus {
  TFileKind Kind = TFileKind::Missing;
  unsigned Mode = 0;       // the permission bits
  int64_t ModifiedAt = 0;  // seconds since 1970
  // Equal for two paths of one file or folder.
  uint64_t Device = 0, Inode = 0;
  uint32_t Owner = 0;  // the account that owns it
  int64_t Size = 0;    // in bytes
};

// The account the program runs as: what it makes is this account's.
uint32_t ThisAccount();

// The error of a read where something other than a regular file or a folder stands.
std::error_code NotARegularFile();

// A new file being written, made by TFileSystem::CreateFile. Closed at the latest when
// destroyed. One thread.
class TNewFile {
public:
  virtual ~TNewFile() = default;
  virtual std::error_code Append(std::string_view bytes) = 0;
  // On the disk once this succeeds.
  virtual std::error_code Sync() = 0;
  virtual std::error_code Close() = 0;
};

class TFileSystem {
public:
  virtual ~TFileSystem() = default;

  // What stands at the path, links followed.
  virtual TFileStatus Status(const std::string& path) = 0;
  // Where a symbolic link leads, every link on the way resolved; the path itself for anything
  // that is no link (or a link that leads nowhere).
  virtual std::string LinkTarget(const std::string& path) = 0;
  // The bytes of a regular file. Never waits: a FIFO or a device gives NotARegularFile, a
  // folder EISDIR. `content` is empty after a failure.
  virtual std::error_code ReadFile(const std::string& path, std::string& content) = 0;
  // Up to `size` bytes of a regular file from `offset` on: fewer at its end, none from there.
  // Refuses what ReadFile refuses, as it does. `bytes` is empty after a failure.
  virtual std::error_code ReadFileAt(const std::string& path, uint64_t offset, size_t size,
                                     std::string& bytes) = 0;
  // The names in the folder without "." and "..", in no particular order.
  virtual std::error_code ListFolder(const std::string& folder,
                                     std::vector<std::string>& names) = 0;
  // One new folder with these permission bits, less the process's umask.
  virtual std::error_code MakeFolder(const std::string& path, unsigned mode) = 0;
  // A file that did not exist before, opened for writing, with these permission bits less the
  // umask. While it is open, IsBeingWritten says so to every process.
  virtual std::error_code CreateFile(const std::string& path, unsigned mode,
                                     std::unique_ptr<TNewFile>& file) = 0;
  virtual std::error_code SetMode(const std::string& path, unsigned mode) = 0;
  // Moves `from` to `to` in one step, replacing a file there, or an empty folder when `from` is
  // a folder: a caller that must not replace anything looks first.
  virtual std::error_code Rename(const std::string& from, const std::string& to) = 0;
  // Puts the folder's entries on the disk: a name renamed into it is then there after a crash.
  virtual std::error_code SyncFolder(const std::string& folder) = 0;
  // The file or folder with everything in it; a symbolic link itself, not what it leads to.
  // ENOENT when nothing stands there.
  virtual std::error_code Remove(const std::string& path) = 0;
  // A file that CreateFile made, in this process or another, is still open.
  virtual bool IsBeingWritten(const std::string& path) = 0;

  // What stands at a path itself, and changes that never pass through a link standing there.
  // What stands at the path, a link not followed (Kind Link, Owner the link's).
  virtual TFileStatus LinkStatus(const std::string& path) = 0;
  // The longest name, in bytes, that an entry of the folder may have.
  virtual size_t LongestName(const std::string& folder) = 0;
  // Moves `from` to `to` in one step when nothing stands at `to`, not even a link or an empty
  // folder; EEXIST when something does.
  virtual std::error_code MoveNew(const std::string& from, const std::string& to) = 0;
  // Removes a file, a link (not what it leads to) or an empty folder: ENOTEMPTY for a folder
  // that holds anything.
  virtual std::error_code RemoveEntry(const std::string& path) = 0;
  // Sets the permission bits of a file or folder this account owns: ELOOP when a link stands at
  // the path, EPERM when another account owns what stands there.
  virtual std::error_code SetOwnMode(const std::string& path, unsigned mode) = 0;

  // Writes `content` to a new file beside `path`, puts it on the disk, renames it over `path`
  // and puts the folder on the disk; a symbolic link is followed and its target replaced when
  // the link and its target are this account's: one another account owns gives EPERM, and what
  // it leads to stays untouched (a link planted in a shared folder must not write elsewhere). A
  // reader sees the old content or the new one, never a mix. The file keeps the permission bits
  // it had; a new one gets `mode` less the umask. The new file beside it is made with those
  // bits, never more, so that it is no more open than the file while it is written. On failure
  // the old file is untouched and the new one removed, but for a folder that could not be put
  // on the disk: the new content is then in place and may not outlast a crash. The first
  // replacement in a folder in a process then clears the folder's stale temporaries.
  std::error_code ReplaceFile(const std::string& path, std::string_view content,
                              unsigned mode = 0666);
  // The folder with every missing folder above it, each made with these bits. With `within`, a
  // folder that `path` lies in, only the folders below it are made, never `within` itself: ENOENT
  // when it is missing, so that a folder removed meanwhile (a user deleted) stays removed.
  std::error_code MakeFolders(const std::string& path, unsigned mode = 0777,
                              const std::string& within = "");
  // Removes the temporary files in the folder that ReplaceFile's writers left when they were
  // killed in the middle: those no writer holds open and that have not changed for ten minutes.
  void RemoveStaleTemporaries(const std::string& folder);
};

// Passes every primitive on to another file system, which it does not own; a test overrides
// what it wants to fail.
class TFileSystemWrapper : public TFileSystem {
public:
  explicit TFileSystemWrapper(TFileSystem& target) : Target(target) {}

  TFileStatus Status(const std::string& path) override { return Target.Status(path); }
  std::string LinkTarget(const std::string& path) override { return Target.LinkTarget(path); }
  std::error_code ReadFile(const std::string& path, std::string& content) override {
    return Target.ReadFile(path, content);
  }
  std::error_code ReadFileAt(const std::string& path, uint64_t offset, size_t size,
                             std::string& bytes) override {
    return Target.ReadFileAt(path, offset, size, bytes);
  }
  std::error_code ListFolder(const std::string& folder, std::vector<std::string>& names) override {
    return Target.ListFolder(folder, names);
  }
  std::error_code MakeFolder(const std::string& path, unsigned mode) override {
    return Target.MakeFolder(path, mode);
  }
  std::error_code CreateFile(const std::string& path, unsigned mode,
                             std::unique_ptr<TNewFile>& file) override {
    return Target.CreateFile(path, mode, file);
  }
  std::error_code SetMode(const std::string& path, unsigned mode) override {
    return Target.SetMode(path, mode);
  }
  std::error_code Rename(const std::string& from, const std::string& to) override {
    return Target.Rename(from, to);
  }
  std::error_code SyncFolder(const std::string& folder) override {
    return Target.SyncFolder(folder);
  }
  std::error_code Remove(const std::string& path) override { return Target.Remove(path); }
  bool IsBeingWritten(const std::string& path) override { return Target.IsBeingWritten(path); }

  TFileStatus LinkStatus(const std::string& path) override { return Target.LinkStatus(path); }
  size_t LongestName(const std::string& folder) override { return Target.LongestName(folder); }
  std::error_code MoveNew(const std::string& from, const std::string& to) override {
    return Target.MoveNew(from, to);
  }
  std::error_code RemoveEntry(const std::string& path) override { return Target.RemoveEntry(path); }
  std::error_code SetOwnMode(const std::string& path, unsigned mode) override {
    return Target.SetOwnMode(path, mode);
  }

protected:
  TFileSystem& Target;
};

// The POSIX file system of the machine.
TFileSystem& PosixFileSystem();
// The file system the program uses.
TFileSystem& FileSystem();
// Makes `fileSystem` (not owned; none for the POSIX one) the one the program uses and returns
// the one installed before (none for the POSIX one). For tests, while no other thread touches
// files.
TFileSystem* SetFileSystem(TFileSystem* fileSystem);
