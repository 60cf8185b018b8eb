#include "platform/shell.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

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
