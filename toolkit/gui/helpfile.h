#pragma once
// A compiled help file (".chm") opened for reading with chmlib: the pages, pictures and style
// sheets stored inside it, by their paths. Owns the open file; user-interface thread only.

#include <string>

struct chmFile;

class THelpFile {
public:
  // The path goes to the file system as it stands. A file that is missing or no compiled help
  // file leaves the object closed; nothing raises.
  explicit THelpFile(const std::string& path);
  ~THelpFile();
  THelpFile(const THelpFile&) = delete;
  THelpFile& operator=(const THelpFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  const std::string& Path() const { return path_; }

  // The bytes stored under the path inside the file ("/index.htm"; letter case ignored, a
  // missing leading slash added). False, with `content` empty, when nothing is stored there.
  bool Read(const std::string& name, std::string& content) const;

private:
  std::string path_;
  chmFile* file_ = nullptr;
};
