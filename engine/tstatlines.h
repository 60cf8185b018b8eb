#pragma once
// The lines of a statistics file as the string list cuts a text (at CR LF, LF or a lone CR, the
// line ends left off), read through the program's file system a part at a time, so that a file
// of any size takes no more memory than a part and its longest line. One thread.

#include <cstdint>
#include <string>
#include <string_view>

class TStatLines {
public:
  // The bytes read at a time.
  static constexpr size_t kPart = size_t(1) << 20;
  // No line of a statistics file comes near this; a longer one refuses the file.
  static constexpr size_t kLongestLine = size_t(1) << 20;

  explicit TStatLines(std::string path) : Path(std::move(path)) {}

  // The next line, valid until the next call; false after the last. Raises the class library's
  // file error "Cannot open file ..." when the file cannot be read (gone, a folder, a FIFO),
  // and for a line longer than kLongestLine.
  bool Next(std::string_view& line);
  // The 1-based number of the line Next gave last.
  int64_t Number() const { return LineNumber; }

  // The error that refuses the file, with the reason.
  [[noreturn]] void Refuse(const std::string& reason) const;

private:
  void ReadPart();
  [[noreturn]] void RefuseLongLine() const;

  std::string Path;
  // Bytes read and not yet cut, from Start on; the file goes on at Offset.
  std::string Bytes;
  size_t Start = 0;
  uint64_t Offset = 0;
  bool AtEnd = false;
  int64_t LineNumber = 0;
};
