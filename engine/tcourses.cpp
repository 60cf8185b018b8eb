#include "engine/tcourses.h"

#include <vector>

#include "engine/tcourse.h"
#include "foundation/tenvironment.h"
#include "foundation/troot.h"
#include "platform/filesystem.h"
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
  std::vector<std::string> entries;
  FileSystem().ListFolder(Directory, entries);
  for (const std::string& entry : entries) {
    if (entry.size() < length || !SameText(entry.substr(entry.size() - length), kCourseExtension))
      continue;
    const std::string name = entry.substr(0, entry.size() - length);
    // A folder or a FIFO named like a course file is none.
    if (Courses.count(name) ||
        FileSystem().Status(Directory + "/" + entry).Kind != TFileKind::Regular)
      continue;
    Courses[name] = std::make_unique<TCourse>(this, name, entry.substr(name.size()));
  }
}

void TCourses::Clear() { Courses.clear(); }

TCourse* TCourses::getCourse(const std::string& name) const {
  auto it = Courses.find(name);
  return it == Courses.end() ? nullptr : it->second.get();
}
