#pragma once
// A small reader over one file of the program's file system (platform/filesystem.h), read at
// its read position by the file's path. Failures give a false result and an error text instead
// of an exception. Holds no system handle. One thread.

#include <cstdint>
#include <string>

class TBinaryFile {
public:
  // Open flags; 0 stands for reading and writing, creating the file when it is missing.
  enum : int { ofRead = 1, ofReadWrite = 4, ofCreate = 0x100 };

  TBinaryFile();
  ~TBinaryFile();
  TBinaryFile(const TBinaryFile&) = delete;
  TBinaryFile& operator=(const TBinaryFile&) = delete;

  // Fails with "Anover file is opened now!" while a file is open, or with "Open error - " and
  // the system's text; what is no regular file is not opened. Clears the read-only state of an
  // existing file first, as the system's files expect. The reader only reads: flags that ask
  // for writing make a missing file, which is then read like any other.
  bool Open(const std::string& name, int flags);
  bool Close();
  bool isOpen() const { return Opened; }
  // Length and read position in bytes; 0 without an open file.
  int64_t Length();
  int64_t Position() const { return ReadPosition; }
  // False with "File not opened!" without an open file.
  bool Eof();
  // True also when fewer bytes than asked were left; Position tells how many came.
  bool Read(void* buffer, int64_t count);

  const std::string& getErrorText() const { return ErrorText; }
  const std::string& getFileName() const { return FileName; }

private:
  std::string ErrorText;
  bool Opened = false;
  int64_t ReadPosition = 0;
  std::string FileName;
};
