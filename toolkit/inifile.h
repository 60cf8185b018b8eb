#pragma once
// An INI file read and written the way the platform's private-profile functions do it: every
// call opens, parses and closes the file, so several objects on one file see each other's
// writes at once. Holds only the file name; one thread at a time per file. While a
// TIniWriteGroup on the file lives, the calls of its thread read and write one copy of the file
// instead, and the file is written once, when the group ends.
//
// Sections and keys match without regard to letter case; a value is trimmed, loses one pair of
// enclosing quotes (single or double) and is cut after 2047 characters. Lines may end in LF or
// CR LF; lines that are neither a section nor a key (comments, junk) are kept as they stand.

#include <string>

class TIniFile {
public:
  explicit TIniFile(std::string fileName) : Path(std::move(fileName)) {}

  const std::string& FileName() const { return Path; }

  // The key's value; `fallback` when the file, section or key is missing or cannot be read.
  // A key that is present with nothing after "=" reads as the empty text. Never raises.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) const;

  // Creates the file, the section and the key as needed and writes the file with CR LF lines.
  // The value is written as given: a caller stores line breaks in an encoded form. The file is
  // replaced atomically; on failure it keeps its old content and Exception
  // "Unable to write to " + FileName is raised. A new file is its owner's alone: settings and
  // profiles say where the users are and hold their passwords' digests.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);

private:
  std::string Path;
};

// Makes the writes to one INI file while it lives one replacement of the file: the first call
// of its thread on that file reads it once, every TIniFile call on it then reads and writes that
// copy (so each sees every value the file would hold after each write), and the outermost group
// on the file writes it when it ends, if anything changed. A kill before then leaves the file
// with every old value, after it with every new one. The file's own writes through other
// threads or programs meanwhile are not seen. One thread; groups on one file nest.
class TIniWriteGroup {
public:
  explicit TIniWriteGroup(std::string fileName);
  // Commits what changed since the last Commit.
  ~TIniWriteGroup();
  TIniWriteGroup(const TIniWriteGroup&) = delete;
  TIniWriteGroup& operator=(const TIniWriteGroup&) = delete;

  // Writes what the groups on the file changed, now, when this is the outermost one (an inner
  // one leaves it to the outer); the group goes on. False when the write failed: the file then
  // keeps what it held.
  bool Commit();

private:
  std::string Path;
};
