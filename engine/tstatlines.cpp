#include "engine/tstatlines.h"

#include "platform/filesystem.h"
#include "toolkit/exception.h"

bool TStatLines::Next(std::string_view& line) {
  for (;;) {
    const size_t end = Bytes.find_first_of("\r\n", Start);
    // A CR last in what was read may be the first half of a CR LF.
    const bool whole =
        end != std::string::npos && (AtEnd || Bytes[end] == '\n' || end + 1 < Bytes.size());
    if (whole || (AtEnd && Start < Bytes.size())) {
      const size_t stop = whole ? end : Bytes.size();
      if (stop - Start > kLongestLine) RefuseLongLine();
      line = std::string_view(Bytes).substr(Start, stop - Start);
      Start = stop + 1;
      if (whole && Bytes[end] == '\r' && Start < Bytes.size() && Bytes[Start] == '\n') ++Start;
      ++LineNumber;
      return true;
    }
    if (AtEnd) return false;
    if (Bytes.size() - Start > kLongestLine) RefuseLongLine();
    Bytes.erase(0, Start);
    Start = 0;
    ReadPart();
  }
}

void TStatLines::Refuse(const std::string& reason) const {
  throw Exception("Cannot open file \"" + Path + "\". " + reason);
}

void TStatLines::RefuseLongLine() const {
  Refuse("Line " + std::to_string(LineNumber + 1) + " is longer than " +
         std::to_string(kLongestLine) + " bytes");
}

void TStatLines::ReadPart() {
  std::string part;
  if (const std::error_code failed = FileSystem().ReadFileAt(Path, Offset, kPart, part))
    Refuse(failed.message());
  Offset += part.size();
  AtEnd = part.size() < kPart;
  Bytes += part;
}
