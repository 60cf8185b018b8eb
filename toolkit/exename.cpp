#include "toolkit/exename.h"

#include <filesystem>

namespace {

std::string& StandIn() {
  static std::string path;
  return path;
}

}  // namespace

std::string ExeName() {
  if (!StandIn().empty()) return StandIn();
  std::error_code error;
  return std::filesystem::read_symlink("/proc/self/exe", error).string();
}

void SetExeName(const std::string& path) { StandIn() = path; }
