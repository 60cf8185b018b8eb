#include "toolkit/inifile.h"

#include <map>
#include <system_error>
#include <vector>

#include "platform/filesystem.h"
#include "toolkit/exception.h"
#include "toolkit/sysutils.h"

namespace {

// The reader's buffer holds 2048 characters with the terminator.
constexpr size_t kMaxValueLength = 2047;

std::vector<std::string> SplitLines(const std::string& content) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    size_t stop = end > start && content[end - 1] == '\r' ? end - 1 : end;
    lines.push_back(content.substr(start, stop - start));
    start = end + 1;
  }
  return lines;
}

// A parsed line: a section header, a key line, or anything else.
struct Line {
  enum Kind { Other, Section, Key } kind = Other;
  std::string name;   // section name or key, trimmed
  std::string value;  // raw value of a key line, trimmed
};

Line Parse(const std::string& text) {
  Line line;
  std::string trimmed = Trim(text);
  if (!trimmed.empty() && trimmed[0] == '[') {
    size_t close = trimmed.find(']');
    line.kind = Line::Section;
    line.name = Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return line;
  }
  size_t equals = trimmed.find('=');
  if (equals == std::string::npos) return line;
  line.kind = Line::Key;
  line.name = Trim(trimmed.substr(0, equals));
  line.value = Trim(trimmed.substr(equals + 1));
  return line;
}

// Where a section and a key stand among the lines; -1 where missing. The first section of
// that name is the one used, as the platform does.
struct Place {
  int section = -1;
  int key = -1;
  int lastEntry = -1;  // last non-blank line of the section
};

Place Find(const std::vector<std::string>& lines, const std::string& section,
           const std::string& key) {
  Place place;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    Line line = Parse(lines[i]);
    if (line.kind == Line::Section) {
      if (place.section >= 0) break;
      if (SameText(line.name, section)) place.section = place.lastEntry = i;
      continue;
    }
    if (place.section < 0) continue;
    if (!Trim(lines[i]).empty()) place.lastEntry = i;
    if (line.kind == Line::Key && place.key < 0 && SameText(line.name, key)) place.key = i;
  }
  return place;
}

std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && (value[0] == '\'' || value[0] == '"') && value.back() == value[0])
    return value.substr(1, value.size() - 2);
  return value;
}

// The file's content as a read gives it: false when the file cannot be read; `missing` when
// nothing stands there, which a write may start from empty.
bool Load(const std::string& path, std::string& content, bool& missing) {
  const std::error_code failed = FileSystem().ReadFile(path, content);
  missing = failed == std::errc::no_such_file_or_directory;
  return !failed;
}

void Save(const std::string& path, const std::string& content) {
  // A new file is its owner's alone.
  if (FileSystem().ReplaceFile(path, content, 0600)) throw Exception("Unable to write to " + path);
}

// The lines with the key set to the value.
std::string WithValue(const std::string& content, const std::string& section,
                      const std::string& key, const std::string& value) {
  std::vector<std::string> lines = SplitLines(content);
  const std::string name = Trim(section), entry = Trim(key);
  Place place = Find(lines, name, entry);
  if (place.key >= 0) {
    lines[place.key] = Parse(lines[place.key]).name + "=" + value;
  } else if (place.section >= 0) {
    lines.insert(lines.begin() + place.lastEntry + 1, entry + "=" + value);
  } else {
    if (!lines.empty() && !Trim(lines.back()).empty()) lines.push_back("");
    lines.push_back("[" + name + "]");
    lines.push_back(entry + "=" + value);
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The copy of a file that its groups read and write.
struct TGroupCopy {
  int Groups = 0;
  bool Loaded = false;
  bool Readable = false;
  bool Missing = false;
  bool Changed = false;
  std::string Content;
};

std::map<std::string, TGroupCopy>& GroupCopies() {
  thread_local std::map<std::string, TGroupCopy> copies;
  return copies;
}

// The copy of the file while a group on it lives, read at the first use; none without a group.
TGroupCopy* GroupCopyOf(const std::string& path) {
  auto it = GroupCopies().find(path);
  if (it == GroupCopies().end()) return nullptr;
  TGroupCopy& copy = it->second;
  if (!copy.Loaded) {
    copy.Readable = Load(path, copy.Content, copy.Missing);
    copy.Loaded = true;
  }
  return &copy;
}

}  // namespace

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
  std::string content;
  bool missing = false;
  if (const TGroupCopy* copy = GroupCopyOf(Path)) {
    if (!copy->Readable) return fallback;
    content = copy->Content;
  } else if (!Load(Path, content, missing)) {
    return fallback;
  }
  std::vector<std::string> lines = SplitLines(content);
  Place place = Find(lines, Trim(section), Trim(key));
  if (place.key < 0) return fallback;
  return Unquoted(Parse(lines[place.key]).value).substr(0, kMaxValueLength);
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  if (TGroupCopy* copy = GroupCopyOf(Path)) {
    // Only a missing file starts empty; one that exists but cannot be read must not be lost.
    if (!copy->Readable && !copy->Missing) throw Exception("Unable to write to " + Path);
    copy->Content = WithValue(copy->Content, section, key, value);
    copy->Readable = copy->Changed = true;
    copy->Missing = false;
    return;
  }
  std::string content;
  bool missing = false;
  if (!Load(Path, content, missing) && !missing) throw Exception("Unable to write to " + Path);
  Save(Path, WithValue(content, section, key, value));
}

TIniWriteGroup::TIniWriteGroup(std::string fileName) : Path(std::move(fileName)) {
  ++GroupCopies()[Path].Groups;
}

TIniWriteGroup::~TIniWriteGroup() {
  Commit();
  auto it = GroupCopies().find(Path);
  if (--it->second.Groups == 0) GroupCopies().erase(it);
}

bool TIniWriteGroup::Commit() {
  TGroupCopy& copy = GroupCopies().at(Path);
  if (copy.Groups > 1 || !copy.Changed) return true;
  // Tried once: a failed write is not repeated at the group's end.
  copy.Changed = false;
  try {
    Save(Path, copy.Content);
  } catch (const Exception&) {
    return false;
  }
  return true;
}
