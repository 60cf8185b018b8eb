#include "toolkit/exename.h"

#include "platform/filesystem.h"

namespace {

constexpr char kOwnProgram[] = "/proc/self/exe";

std::string& StandIn() {
  static std::string path;
  return path;
}

}  // namespace

std::string ExeName() {
  if (!StandIn().empty()) return StandIn();
  // The link itself comes back when it cannot be followed: then no program path is known.
  const std::string program = FileSystem().LinkTarget(kOwnProgram);
  return program == kOwnProgram ? std::string() : program;
}

void SetExeName(const std::string& path) { StandIn() = path; }
