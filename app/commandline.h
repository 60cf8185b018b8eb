#pragma once
// The program's command line, read before any window exists: "--help" and "--version" are
// answered on the standard output, another argument that starts with "-" is refused; every
// other argument is the program's own ("/test" as the first one), read later by the windows.

#include <string>
#include <vector>

enum class TCommand { Run, Help, Version, Refuse };

struct TCommandLine {
  TCommand Command = TCommand::Run;
  // What to print: the help, the version, or why the line is refused.
  std::string Text;
};

// The arguments without the program's name.
TCommandLine ReadCommandLine(const std::vector<std::string>& arguments);
