#include "engine/tbinaryfile.h"

#include <memory>

#include "platform/filesystem.h"

TBinaryFile::TBinaryFile() = default;

TBinaryFile::~TBinaryFile() { Close(); }

bool TBinaryFile::Open(const std::string& name, int flags) {
  if (Opened) {
    ErrorText = "Anover file is opened now!";
    return false;
  }
  TFileSystem& files = FileSystem();
  const TFileStatus status = files.Status(name);
  // Read-only is the one attribute this platform has of those the files had cleared.
  if (status.Kind == TFileKind::Regular && !(status.Mode & 0200))
    files.SetMode(name, status.Mode | 0200);
  const bool create = flags == 0 || (flags & ofCreate);
  if (create && status.Kind == TFileKind::Missing) {
    std::unique_ptr<TNewFile> made;
    // Made by another meanwhile is as good; any other failure shows in the open below.
    if (!files.CreateFile(name, 0666, made)) made->Close();
  }
  // A read of nothing opens the file as every later read does: what cannot be read fails here.
  std::string none;
  if (std::error_code failed = files.ReadFileAt(name, 0, 0, none)) {
    ErrorText = "Open error - " + failed.message();
    return false;
  }
  Opened = true;
  FileName = name;
  ReadPosition = 0;
  return true;
}

bool TBinaryFile::Close() {
  Opened = false;
  ReadPosition = 0;
  FileName.clear();
  return true;
}

int64_t TBinaryFile::Length() { return Opened ? FileSystem().Status(FileName).Size : 0; }

bool TBinaryFile::Eof() {
  if (!Opened) {
    ErrorText = "File not opened!";
    return false;
  }
  return ReadPosition >= Length();
}

bool TBinaryFile::Read(void* buffer, int64_t count) {
  if (!Opened) {
    ErrorText = "File not opened!";
    return false;
  }
  std::string bytes;
  if (std::error_code failed =
          FileSystem().ReadFileAt(FileName, static_cast<uint64_t>(ReadPosition),
                                  count > 0 ? static_cast<size_t>(count) : 0, bytes)) {
    ErrorText = "Read error - " + failed.message();
    return false;
  }
  bytes.copy(static_cast<char*>(buffer), bytes.size());
  ReadPosition += static_cast<int64_t>(bytes.size());
  return true;
}
