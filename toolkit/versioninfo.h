#pragma once
// The version information of the program's own file: its four version numbers and its
// "FileVersion" text, set once in the build and compiled in. A value type; any thread.

#include <cstdint>
#include <string>

struct TVersionInfo {
  // The running program's own.
  static TVersionInfo OfProgram();

  uint16_t Major = 0;
  uint16_t Minor = 0;
  uint16_t Release = 0;
  uint16_t Build = 0;
  std::string FileVersion;  // may be empty; readers then show the four numbers
};
