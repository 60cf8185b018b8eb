#pragma once
// The commands of the course tool: "build" a base from texts, "dump" a base's header and shape,
// "generate" exercise lines from it with the system's loader and generator. Writes to the given
// streams and answers the exit code. Uses the program-wide random sequence; one thread.

#include <ostream>
#include <string>
#include <vector>

int RunCourseTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
