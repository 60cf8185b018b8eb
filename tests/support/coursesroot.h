#pragma once
// A plain root (support/plainroot.h) with the course catalogue.

#include "engine/tcourses.h"
#include "support/plainroot.h"

class TCoursesRoot final : public TPlainRootWith<TCourses> {
public:
  TCourses* getCourses() const { return Part.get(); }
};

using CoursesInstallation = InstalledProgram<TCoursesRoot>;
