#pragma once
// The shipped courses of the installation tree, to copy into a test's courses folder.

#include <filesystem>
#include <string>

inline void InstallCourse(const std::string& name, const std::string& coursesDir,
                          const std::string& as = "") {
  std::filesystem::copy_file(std::string(LOMTAK_DIST_DIR) + "/Modules/Languages/" + name + ".Base",
                             coursesDir + "/" + (as.empty() ? name + ".Base" : as));
}
