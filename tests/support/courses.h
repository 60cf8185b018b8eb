#pragma once
// The shipped courses of the installation tree and the tests' own courses (a small Western
// one, German, with letters above 127), to read or to copy into a test's courses folder.

#include <filesystem>
#include <string>

// A file of the shipped courses folder, such as "English.Base".
inline std::string ShippedCourseFile(const std::string& file) {
  return std::string(LOMTAK_DIST_DIR) + "/Modules/Languages/" + file;
}

// A file of the tests' own courses, such as "German.Base" (built from "German.txt").
inline std::string TestCourseFile(const std::string& file) {
  return std::string(LOMTAK_TEST_DATA_DIR) + "/courses/" + file;
}

inline void InstallCourse(const std::string& name, const std::string& coursesDir,
                          const std::string& as = "") {
  std::filesystem::copy_file(ShippedCourseFile(name + ".Base"),
                             coursesDir + "/" + (as.empty() ? name + ".Base" : as));
}
