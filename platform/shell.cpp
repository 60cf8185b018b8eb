#include "platform/shell.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

bool DeleteFolderTree(const std::string& path) {
  std::error_code error;
  if (path.empty() || !std::filesystem::exists(std::filesystem::symlink_status(path, error)))
    return false;
  std::filesystem::remove_all(path, error);
  return !error;
}

std::string AppDataFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && data[0] == '/') return data;
  const char* home = std::getenv("HOME");
  if (!home || !home[0]) {
    const passwd* user = getpwuid(getuid());
    home = user ? user->pw_dir : nullptr;
  }
  if (!home || !home[0]) return "";
  std::string folder = home;
  if (folder.back() == '/') folder.pop_back();
  return folder + "/.local/share";
}
