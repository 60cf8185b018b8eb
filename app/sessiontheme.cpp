#include "app/sessiontheme.h"

#include <vector>

#include "platform/filesystem.h"

namespace {

std::string WithoutTrailingSlash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

// The names on the way from the folder to the file; none when the file's path does not begin
// with the folder's, or takes a "." or ".." on the way: after a link, ".." leads elsewhere than
// the text says.
std::vector<std::string> Below(const std::string& folder, const std::string& file) {
  const std::string base = WithoutTrailingSlash(folder);
  if (base.empty() || file.size() <= base.size() + 1 || file.compare(0, base.size(), base) != 0 ||
      file[base.size()] != '/')
    return {};
  std::vector<std::string> names;
  size_t start = base.size() + 1;
  while (start <= file.size()) {
    size_t end = file.find('/', start);
    if (end == std::string::npos) end = file.size();
    const std::string name = file.substr(start, end - start);
    if (name.empty() || name == "." || name == "..") return {};
    names.push_back(name);
    start = end + 1;
  }
  return names;
}

}  // namespace

std::string ThemeFileOfName(const std::string& themesDir, const std::string& name) {
  if (name.empty() || name.front() == '/') return name;
  return WithoutTrailingSlash(themesDir) + "/" + name;
}

std::string ThemeNameOfFile(const std::string& themesDir, const std::string& file) {
  return Below(themesDir, file).empty() ? file
                                        : file.substr(WithoutTrailingSlash(themesDir).size() + 1);
}

bool IsThemeOfFolder(const std::string& themesDir, const std::string& file) {
  const std::vector<std::string> names = Below(themesDir, file);
  if (names.empty()) return false;
  std::string path = WithoutTrailingSlash(themesDir);
  TFileKind kind = TFileKind::Missing;
  for (const std::string& name : names) {
    path += "/" + name;
    kind = FileSystem().LinkStatus(path).Kind;
    if (kind == TFileKind::Link) return false;
  }
  return kind == TFileKind::Regular;
}
