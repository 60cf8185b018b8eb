#include "engine/tcourses.h"

#include <filesystem>

#include "engine/tcourse.h"
#include "foundation/tenvironment.h"
#include "foundation/troot.h"
#include "toolkit/sysutils.h"

namespace {

constexpr char kCourseExtension[] = ".Base";

}  // namespace

TCourses::TCourses(TRoot* owner) : TLTObject(owner) {
  setDirectory(getRoot()->getEnvironment()->getCoursesDir());
  Load();
}

TCourses::~TCourses() { Clear(); }

bool TCourses::setDirectory(const std::string& folder) {
  Directory = folder;
  return true;
}

void TCourses::Load() {
  Clear();
  AddNew();
}

void TCourses::AddNew() {
  const size_t length = sizeof(kCourseExtension) - 1;
  std::error_code error;
  for (std::filesystem::directory_iterator it(Directory, error), end; !error && it != end;
       it.increment(error)) {
    const std::string entry = it->path().filename().string();
    if (entry.size() < length || !SameText(entry.substr(entry.size() - length), kCourseExtension))
      continue;
    const std::string name = entry.substr(0, entry.size() - length);
    if (Courses.count(name)) continue;
    Courses[name] = std::make_unique<TCourse>(this, name, entry.substr(name.size()));
  }
}

void TCourses::Clear() { Courses.clear(); }

TCourse* TCourses::getCourse(const std::string& name) const {
  auto it = Courses.find(name);
  return it == Courses.end() ? nullptr : it->second.get();
}
