#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

class TempDir {
public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lomtak-test-XXXXXX").string();
    Root = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempDir() {
    std::error_code ignored;
    if (!Root.empty()) std::filesystem::remove_all(Root, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return Root; }
  std::string operator/(const std::string& name) const { return Root + "/" + name; }

  // Writes the bytes as they stand (no line-end translation).
  static void Write(const std::string& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
  }
  static std::string Read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  // The permission bits of what stands at the path (links followed), 0 when nothing does.
  static unsigned Mode(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
  }
  // The file's modification time `seconds` ago, as if nobody had written it since.
  static void Age(const std::string& file, int seconds) {
    const timespec then = {std::time(nullptr) - seconds, 0};
    const timespec times[2] = {then, then};
    utimensat(AT_FDCWD, file.c_str(), times, 0);
  }
  // Every file below the folder with its bytes, and every folder (ending in "/"), by path
  // from the folder: to see that nothing changed and nothing was added.
  static std::map<std::string, std::string> Contents(const std::string& folder) {
    std::map<std::string, std::string> contents;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
      const std::string path = std::filesystem::relative(entry.path(), folder).string();
      if (entry.is_directory())
        contents[path + "/"] = "";
      else
        contents[path] = Read(entry.path().string());
    }
    return contents;
  }
  // Names in the folder, to see that nothing (a temporary file) was left behind.
  size_t EntryCount() const {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(Root)) ++count;
    return count;
  }

private:
  std::string Root;
};
