#pragma once
// A compiled help file (".chm") opened for reading with chmlib: the pages, pictures and style
// sheets stored inside it, by their paths. chmlib crashes or loops on some damaged files, so a
// new copy of the program, started only to read it, reads the whole file when it is opened and
// hands over what it stored; a reader that dies, runs too long or hands over too much leaves the
// object closed. Owns the contents read; user-interface thread only.

#include <map>
#include <string>

class THelpFile {
public:
  // The path goes to the file system as it stands. A file that is missing, damaged or no
  // compiled help file leaves the object closed; nothing raises.
  explicit THelpFile(const std::string& path);
  THelpFile(const THelpFile&) = delete;
  THelpFile& operator=(const THelpFile&) = delete;

  bool IsOpen() const { return open_; }
  const std::string& Path() const { return path_; }

  // The bytes stored under the path inside the file ("/index.htm"; letter case ignored, a
  // missing leading slash added). False, with `content` empty, when nothing is stored there.
  bool Read(const std::string& name, std::string& content) const;

private:
  std::string path_;
  bool open_ = false;
  // By the lower-case path inside the file.
  std::map<std::string, std::string> objects_;
};
