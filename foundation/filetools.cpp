#include "foundation/filetools.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <set>
#include <utility>
#include <vector>

#include "platform/filesystem.h"
#include "toolkit/random.h"
#include "toolkit/stringlist.h"
#include "toolkit/sysutils.h"

namespace {

bool Matches(const char* name, const char* pattern) {
  // Iterative wildcard match with one backtrack point: linear in practice, no recursion.
  const char *star = nullptr, *resume = nullptr;
  while (*name) {
    if (*pattern == '?' ||
        (*pattern != '*' && std::tolower(static_cast<unsigned char>(*pattern)) ==
                                std::tolower(static_cast<unsigned char>(*name)))) {
      ++name;
      ++pattern;
    } else if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (star) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

bool MatchesMask(const std::string& name, const std::string& pattern) {
  if (Matches(name.c_str(), pattern.c_str())) return true;
  // "name.*" also matches a name without any extension, as on the original platform.
  return pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 &&
         name.find('.') == std::string::npos &&
         Matches(name.c_str(), pattern.substr(0, pattern.size() - 2).c_str());
}

using Visited = std::set<std::pair<uint64_t, uint64_t>>;

// A folder's entries in name order regardless of letter case, as the original platform lists
// a folder, so the first theme or wallpaper is the same on every machine. False when the folder
// cannot be listed.
bool NamesInOrder(const std::string& folder, std::vector<std::string>& names) {
  if (FileSystem().ListFolder(folder, names)) return false;
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const int order = CompareText(a, b);
    return order != 0 ? order < 0 : a < b;
  });
  return true;
}

bool Search(const std::string& folder, const std::string& pattern, bool recursive,
            TStringList& list, Visited& visited) {
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  std::vector<std::string> names;
  if (!NamesInOrder(folder.empty() ? "." : folder, names)) return false;
  if (recursive) {
    for (const std::string& name : names) {
      const std::string path = prefix + name;
      const TFileStatus status = FileSystem().Status(path);
      if (status.Kind == TFileKind::Folder &&
          visited.insert({status.Device, status.Inode}).second &&
          !Search(path, pattern, recursive, list, visited))
        return false;
    }
  }
  for (const std::string& name : names)
    if (MatchesMask(name, pattern) && FileSystem().Status(prefix + name).Kind != TFileKind::Folder)
      list.Add(prefix + name);
  return true;
}

}  // namespace

bool IsFolderWritable(const std::string& folder) {
  // Another number when a probe of that name is already there: it is not ours to remove, and
  // its presence says nothing about the folder.
  for (int attempt = 0; attempt < 10; ++attempt) {
    const std::string probe = folder + "/~" + IntToStr(Rand()) + "~";
    const std::error_code failed = FileSystem().MakeFolder(probe, 0777);
    if (!failed) {
      FileSystem().Remove(probe);
      return true;
    }
    // A full disk takes entries again once there is room: the folder is no other one's.
    if (failed == std::errc::no_space_on_device ||
        failed == std::error_code(EDQUOT, std::generic_category()))
      return true;
    if (failed != std::errc::file_exists) return false;
  }
  return false;
}

bool FindFiles(const std::string& folder, const std::string& pattern, bool recursive,
               TStringList& list) {
  list.Clear();
  const TFileStatus status = FileSystem().Status(folder.empty() ? "." : folder);
  if (!folder.empty() && status.Kind != TFileKind::Folder) return false;
  Visited visited;
  if (status.Kind == TFileKind::Folder) visited.insert({status.Device, status.Inode});
  if (Search(folder, pattern, recursive, list, visited)) return true;
  list.Clear();
  return false;
}

bool DeleteFolder(const std::string& path) { return !FileSystem().Remove(path); }
