#pragma once
// The program's file system while it lives: the machine's, except where the test asks for a
// fault. The disk fills up after a number of bytes; a chosen operation fails on the paths that
// hold a text; reads of a file, or syncs of the new files of some paths, wait until the test
// lets each of them through, and the test can see them wait and come back. Safe for concurrent use,
// as the program's file system must be.

#include <algorithm>
#include <climits>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/filesystem.h"

// What may be made to fail (Sync: of a new file; Rename also MoveNew; Remove also RemoveEntry;
// SetMode also SetOwnMode).
enum class FileOperation {
  Read,
  List,
  MakeFolder,
  Create,
  Sync,
  SetMode,
  Rename,
  SyncFolder,
  Remove,
  // The path is then missing, as when it cannot be looked at.
  Status
};

class FaultyFileSystem : public TFileSystemWrapper {
public:
  FaultyFileSystem() : TFileSystemWrapper(PosixFileSystem()) { Previous = SetFileSystem(this); }
  ~FaultyFileSystem() override { SetFileSystem(Previous); }
  FaultyFileSystem(const FaultyFileSystem&) = delete;
  FaultyFileSystem& operator=(const FaultyFileSystem&) = delete;

  // From now on the disk takes `bytes` more: a write past them fails with ENOSPC, as does
  // making a folder once nothing is left.
  void FillAfter(uint64_t bytes) {
    std::lock_guard<std::mutex> guard(Lock);
    Free = bytes;
    Full = true;
  }
  // The disk has room again.
  void MakeRoom() {
    std::lock_guard<std::mutex> guard(Lock);
    Full = false;
  }
  // The operation fails with the error on every path that contains `part` ("" for all).
  void Fail(FileOperation operation, std::string part, std::errc error = std::errc::io_error) {
    std::lock_guard<std::mutex> guard(Lock);
    Faults.push_back({operation, std::move(part), std::make_error_code(error)});
  }
  void Heal() {
    std::lock_guard<std::mutex> guard(Lock);
    Faults.clear();
    KillAt = INT_MAX;
  }
  // Every read of the path waits for a LetThrough of its own.
  void HoldReads(std::string path) {
    std::lock_guard<std::mutex> guard(Lock);
    Held = std::move(path);
  }
  // Every sync of a new file whose path contains `part` waits for a LetThrough of its own.
  void HoldSyncs(std::string part) {
    std::lock_guard<std::mutex> guard(Lock);
    HeldSyncs = std::move(part);
  }
  void LetThrough() {
    std::lock_guard<std::mutex> guard(Lock);
    ++Passes;
    Passed.notify_all();
  }
  // Returns once a held read or sync waits for its LetThrough.
  void WaitUntilOneIsHeld() {
    std::unique_lock<std::mutex> guard(Lock);
    Passed.wait(guard, [this] { return Waiting > 0; });
  }
  // How many held reads and syncs have come back.
  int HeldDone() {
    std::lock_guard<std::mutex> guard(Lock);
    return Done;
  }

  // What changes the disk (a new folder or file, an append, a sync, a mode, a move, a removal)
  // from the `n`th such change on (0: the next) fails, as after a kill: nothing the program
  // does then reaches the disk, not even its cleaning up. Heal ends it.
  void KillAtChange(int n) {
    std::lock_guard<std::mutex> guard(Lock);
    KillAt = Changes + n;
  }
  // How many changes of the disk were asked for so far.
  int ChangesAsked() {
    std::lock_guard<std::mutex> guard(Lock);
    return Changes;
  }
  // What stands at exactly that path is said to be another account's, to Status and
  // LinkStatus alike, and SetOwnMode refuses it.
  void PretendOthers(std::string path) {
    std::lock_guard<std::mutex> guard(Lock);
    Others.push_back(std::move(path));
  }

  TFileStatus Status(const std::string& path) override {
    if (Fault(FileOperation::Status, path)) return {};
    return Owned(path, Target.Status(path));
  }
  TFileStatus LinkStatus(const std::string& path) override {
    return Owned(path, Target.LinkStatus(path));
  }
  std::error_code MoveNew(const std::string& from, const std::string& to) override {
    if (std::error_code failed = Change(FileOperation::Rename, to)) return failed;
    return Target.MoveNew(from, to);
  }
  std::error_code RemoveEntry(const std::string& path) override {
    if (std::error_code failed = Change(FileOperation::Remove, path)) return failed;
    return Target.RemoveEntry(path);
  }
  std::error_code SetOwnMode(const std::string& path, unsigned mode) override {
    if (std::error_code failed = Change(FileOperation::SetMode, path)) return failed;
    if (IsOthers(path)) return std::make_error_code(std::errc::operation_not_permitted);
    return Target.SetOwnMode(path, mode);
  }

  std::error_code ReadFile(const std::string& path, std::string& content) override {
    if (std::error_code failed = Fault(FileOperation::Read, path)) return failed;
    const bool held = WaitIfHeld([&] { return !Held.empty() && path == Held; });
    const std::error_code read = Target.ReadFile(path, content);
    if (held) Came();
    return read;
  }
  std::error_code ReadFileAt(const std::string& path, uint64_t offset, size_t size,
                             std::string& bytes) override {
    if (std::error_code failed = Fault(FileOperation::Read, path)) return failed;
    return Target.ReadFileAt(path, offset, size, bytes);
  }
  std::error_code ListFolder(const std::string& folder, std::vector<std::string>& names) override {
    if (std::error_code failed = Fault(FileOperation::List, folder)) return failed;
    return Target.ListFolder(folder, names);
  }
  std::error_code MakeFolder(const std::string& path, unsigned mode) override {
    if (std::error_code failed = Change(FileOperation::MakeFolder, path)) return failed;
    if (Exhausted()) return std::make_error_code(std::errc::no_space_on_device);
    return Target.MakeFolder(path, mode);
  }
  std::error_code CreateFile(const std::string& path, unsigned mode,
                             std::unique_ptr<TNewFile>& file) override {
    if (std::error_code failed = Change(FileOperation::Create, path)) return failed;
    std::unique_ptr<TNewFile> made;
    if (std::error_code failed = Target.CreateFile(path, mode, made)) return failed;
    file = std::make_unique<FaultyFile>(*this, path, std::move(made));
    return {};
  }
  std::error_code SetMode(const std::string& path, unsigned mode) override {
    if (std::error_code failed = Change(FileOperation::SetMode, path)) return failed;
    return Target.SetMode(path, mode);
  }
  std::error_code Rename(const std::string& from, const std::string& to) override {
    if (std::error_code failed = Change(FileOperation::Rename, to)) return failed;
    return Target.Rename(from, to);
  }
  std::error_code SyncFolder(const std::string& folder) override {
    if (std::error_code failed = Change(FileOperation::SyncFolder, folder)) return failed;
    return Target.SyncFolder(folder);
  }
  std::error_code Remove(const std::string& path) override {
    if (std::error_code failed = Change(FileOperation::Remove, path)) return failed;
    return Target.Remove(path);
  }

private:
  struct TFault {
    FileOperation Op;
    std::string Part;
    std::error_code Error;
  };

  // A new file whose writes take room from the disk and whose sync may fail.
  class FaultyFile : public TNewFile {
  public:
    FaultyFile(FaultyFileSystem& disk, std::string path, std::unique_ptr<TNewFile> file)
        : Disk(disk), Path(std::move(path)), File(std::move(file)) {}
    std::error_code Append(std::string_view bytes) override {
      if (Disk.Killed()) return std::make_error_code(std::errc::io_error);
      // What fits is written, as a full disk does, then the write fails.
      const uint64_t room = Disk.Room(bytes.size());
      if (room < bytes.size()) {
        File->Append(bytes.substr(0, room));
        return std::make_error_code(std::errc::no_space_on_device);
      }
      return File->Append(bytes);
    }
    std::error_code Sync() override {
      if (std::error_code failed = Disk.Change(FileOperation::Sync, Path)) return failed;
      const bool held = Disk.WaitIfHeld([&] {
        return !Disk.HeldSyncs.empty() && Path.find(Disk.HeldSyncs) != std::string::npos;
      });
      const std::error_code synced = File->Sync();
      if (held) Disk.Came();
      return synced;
    }
    std::error_code Close() override { return File->Close(); }

  private:
    FaultyFileSystem& Disk;
    std::string Path;
    std::unique_ptr<TNewFile> File;
  };

  // Waits for a LetThrough where `isHeld` says so, asked under the lock; true then.
  template <class THeld>
  bool WaitIfHeld(THeld isHeld) {
    std::unique_lock<std::mutex> guard(Lock);
    if (!isHeld()) return false;
    ++Waiting;
    Passed.notify_all();
    Passed.wait(guard, [this] { return Passes > 0; });
    --Passes;
    --Waiting;
    return true;
  }
  // A held read or sync came back.
  void Came() {
    std::lock_guard<std::mutex> guard(Lock);
    ++Done;
  }
  std::error_code Fault(FileOperation operation, const std::string& path) {
    std::lock_guard<std::mutex> guard(Lock);
    for (const TFault& fault : Faults)
      if (fault.Op == operation && path.find(fault.Part) != std::string::npos) return fault.Error;
    return {};
  }
  // A fault of the operation, or a kill when this change is one too many.
  std::error_code Change(FileOperation operation, const std::string& path) {
    if (Killed()) return std::make_error_code(std::errc::io_error);
    return Fault(operation, path);
  }
  // Counts a change; true when it comes after the kill.
  bool Killed() {
    std::lock_guard<std::mutex> guard(Lock);
    return Changes++ >= KillAt;
  }
  bool IsOthers(const std::string& path) {
    std::lock_guard<std::mutex> guard(Lock);
    return std::find(Others.begin(), Others.end(), path) != Others.end();
  }
  TFileStatus Owned(const std::string& path, TFileStatus status) {
    if (IsOthers(path)) status.Owner = ThisAccount() + 1;
    return status;
  }
  // How many of the bytes the disk takes; it takes them from its room.
  uint64_t Room(uint64_t bytes) {
    std::lock_guard<std::mutex> guard(Lock);
    if (!Full) return bytes;
    const uint64_t taken = std::min(bytes, Free);
    Free -= taken;
    return taken;
  }
  // No room left, not even for a folder.
  bool Exhausted() {
    std::lock_guard<std::mutex> guard(Lock);
    return Full && Free == 0;
  }

  TFileSystem* Previous = nullptr;
  std::mutex Lock;
  std::condition_variable Passed;
  bool Full = false;
  uint64_t Free = 0;
  std::vector<TFault> Faults;
  std::string Held;
  std::string HeldSyncs;
  int Passes = 0;
  int Waiting = 0;
  int Done = 0;
  int Changes = 0;
  int KillAt = INT_MAX;
  std::vector<std::string> Others;
};
