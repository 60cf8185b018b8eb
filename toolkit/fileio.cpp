#include "toolkit/fileio.h"

#include "platform/filesystem.h"

namespace {

bool Succeeded(const std::error_code& failed, std::string* error) {
  if (failed && error) *error = failed.message();
  return !failed;
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::string& content, std::string* error) {
  return Succeeded(FileSystem().ReadFile(path, content), error);
}

bool ReplaceFile(const std::string& path, const std::string& content, std::string& error) {
  return Succeeded(FileSystem().ReplaceFile(path, content), &error);
}

bool FileExists(const std::string& path) {
  const TFileKind kind = FileSystem().Status(path).Kind;
  return kind != TFileKind::Missing && kind != TFileKind::Folder;
}

bool DirectoryExists(const std::string& path) {
  return FileSystem().Status(path).Kind == TFileKind::Folder;
}
