#include "app/commandline.h"

#include "app/tversion.h"
#include "toolkit/versioninfo.h"

TCommandLine ReadCommandLine(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--help")
      return {TCommand::Help,
              "Usage: lomtak [/test]\n"
              "An adaptive touch-typing trainer: lines made for you from a course, on a\n"
              "full-screen training screen.\n"
              "\n"
              "  /test      the training screen takes one of several screen sizes, chosen\n"
              "             with the Up and Down keys\n"
              "  --help     print this help and exit\n"
              "  --version  print the version and exit\n"};
    if (argument == "--version")
      return {TCommand::Version,
              "Lomtak " + TVersion::FileVersionOf(TVersionInfo::OfProgram()) + "\n"};
    if (argument.starts_with("-"))
      return {TCommand::Refuse, "lomtak: unknown option '" + argument +
                                    "'\nTry 'lomtak --help' for what it takes.\n"};
  }
  return {};
}
