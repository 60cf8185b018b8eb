// Course authoring tool: builds, inspects and tries out a course's letter base.
#include <iostream>
#include <string>
#include <vector>

#include "tools/course/coursecommands.h"

int main(int argc, char** argv) {
  return RunCourseTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
