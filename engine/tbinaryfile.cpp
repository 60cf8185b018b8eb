#include "engine/tbinaryfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

int PosixFlags(int flags) {
  if (flags == 0) return O_RDWR | O_CREAT;
  return ((flags & TBinaryFile::ofReadWrite) ? O_RDWR : O_RDONLY) |
         ((flags & TBinaryFile::ofCreate) ? O_CREAT : 0);
}

}  // namespace

TBinaryFile::~TBinaryFile() { Close(); }

bool TBinaryFile::Open(const std::string& name, int flags) {
  if (Handle != 0) {
    ErrorText = "Anover file is opened now!";
    return false;
  }
  FileName = name;
  // Read-only is the one attribute this platform has of those the files had cleared.
  struct stat info;
  if (::stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode) && !(info.st_mode & S_IWUSR))
    ::chmod(name.c_str(), (info.st_mode & 07777) | S_IWUSR);
  int fd = ::open(name.c_str(), PosixFlags(flags) | O_CLOEXEC, 0666);
  if (fd == 0) {
    // Handle 0 means "no file": move the file off a closed standard input's number.
    int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 1);
    ::close(fd);
    fd = moved;
  }
  if (fd < 0) {
    ErrorText = std::string("Open error - ") + std::strerror(errno);
    FileName.clear();
    return false;
  }
  Handle = fd;
  return true;
}

bool TBinaryFile::Close() {
  if (Handle != 0) ::close(Handle);
  Handle = 0;
  FileName.clear();
  return true;
}

int64_t TBinaryFile::Length() {
  struct stat info;
  if (Handle == 0 || ::fstat(Handle, &info) != 0) return 0;
  return info.st_size;
}

int64_t TBinaryFile::Position() {
  if (Handle == 0) return 0;
  off_t position = ::lseek(Handle, 0, SEEK_CUR);
  return position < 0 ? 0 : position;
}

bool TBinaryFile::Eof() {
  if (Handle == 0) {
    ErrorText = "File not opened!";
    return false;
  }
  return Position() >= Length();
}

bool TBinaryFile::Read(void* buffer, int64_t count) {
  if (Handle == 0) {
    ErrorText = "File not opened!";
    return false;
  }
  char* at = static_cast<char*>(buffer);
  while (count > 0) {
    ssize_t done = ::read(Handle, at, static_cast<size_t>(count));
    if (done < 0 && errno == EINTR) continue;
    if (done < 0) {
      ErrorText = std::string("Read error - ") + std::strerror(errno);
      return false;
    }
    if (done == 0) break;
    at += done;
    count -= done;
  }
  return true;
}
