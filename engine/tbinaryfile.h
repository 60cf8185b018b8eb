#pragma once
// A small reader over one file handle. Failures give a false result and an error text instead
// of an exception. Owns its handle and closes it at the latest when destroyed. One thread.

#include <cstdint>
#include <string>

class TBinaryFile {
public:
  // Open flags; 0 stands for reading and writing, creating the file when it is missing.
  enum : int { ofRead = 1, ofReadWrite = 4, ofCreate = 0x100 };

  TBinaryFile() = default;
  ~TBinaryFile();
  TBinaryFile(const TBinaryFile&) = delete;
  TBinaryFile& operator=(const TBinaryFile&) = delete;

  // Fails with "Anover file is opened now!" while a file is open, or with "Open error - " and
  // the system's text. Clears the read-only state of an existing file first, as the system's
  // files expect.
  bool Open(const std::string& name, int flags);
  bool Close();
  // Length and read position in bytes; 0 without an open file.
  int64_t Length();
  int64_t Position();
  // False with "File not opened!" without an open file.
  bool Eof();
  // True also when fewer bytes than asked were left; Position tells how many came.
  bool Read(void* buffer, int64_t count);

  const std::string& getErrorText() const { return ErrorText; }
  const std::string& getFileName() const { return FileName; }
  int32_t getHandle() const { return Handle; }

private:
  std::string ErrorText;
  int32_t Handle = 0;
  std::string FileName;
};
