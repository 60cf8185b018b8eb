#pragma once
// The shipped courses of the installation tree, to read or to copy into a test's courses folder.

#include <filesystem>
#include <string>

// A file of the shipped courses folder, such as "English.Base".
inline std::string ShippedCourseFile(const std::string& file) {
  return std::string(LOMTAK_DIST_DIR) + "/Modules/Languages/" + file;
}

inline void InstallCourse(const std::string& name, const std::string& coursesDir,
                          const std::string& as = "") {
  std::filesystem::copy_file(ShippedCourseFile(name + ".Base"),
                             coursesDir + "/" + (as.empty() ? name + ".Base" : as));
}
