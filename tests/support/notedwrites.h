#pragma once
// The program's file system while it lives: the machine's, with every path the program would
// change noted on the way (a new file, a move's target, a change of mode, a removal), and the
// permission bits each new file is asked for. User-interface thread only.

#include <memory>
#include <string>
#include <vector>

#include "platform/filesystem.h"

class NotedWrites final : public TFileSystemWrapper {
public:
  NotedWrites() : TFileSystemWrapper(PosixFileSystem()) { Previous = SetFileSystem(this); }
  ~NotedWrites() override { SetFileSystem(Previous); }
  NotedWrites(const NotedWrites&) = delete;
  NotedWrites& operator=(const NotedWrites&) = delete;

  std::error_code CreateFile(const std::string& path, unsigned mode,
                             std::unique_ptr<TNewFile>& file) override {
    Paths.push_back(path);
    if (mode & 077) OpenToOthers.push_back(path);
    return Target.CreateFile(path, mode, file);
  }
  std::error_code SetMode(const std::string& path, unsigned mode) override {
    Paths.push_back(path);
    return Target.SetMode(path, mode);
  }
  std::error_code Rename(const std::string& from, const std::string& to) override {
    Paths.push_back(to);
    return Target.Rename(from, to);
  }
  std::error_code Remove(const std::string& path) override {
    Paths.push_back(path);
    return Target.Remove(path);
  }
  std::error_code MoveNew(const std::string& from, const std::string& to) override {
    Paths.push_back(to);
    return Target.MoveNew(from, to);
  }
  std::error_code RemoveEntry(const std::string& path) override {
    Paths.push_back(path);
    return Target.RemoveEntry(path);
  }
  std::error_code SetOwnMode(const std::string& path, unsigned mode) override {
    Paths.push_back(path);
    return Target.SetOwnMode(path, mode);
  }

  // The noted paths that lie in the folder.
  std::vector<std::string> In(const std::string& folder) const {
    std::vector<std::string> inside;
    for (const std::string& path : Paths)
      if (path.rfind(folder + "/", 0) == 0) inside.push_back(path);
    return inside;
  }

  // The new files asked for with bits for the group or others.
  std::vector<std::string> OpenToOthers;

private:
  TFileSystem* Previous = nullptr;
  std::vector<std::string> Paths;
};
